// cLoadError: the one exception type of model import. It owns its message text, so the text
// stays valid after the half-built model that raised it is gone, until the loading flow shows it.
#pragma once

#include <exception>
#include <string>

class cLoadError : public std::exception
{
public:
    explicit cLoadError(std::string Text) : mText(std::move(Text)) {}
    const char* what() const noexcept override { return mText.c_str(); }

private:
    std::string mText;
};
