// The files of drops not yet taken, by the WM_DROPFILES handle each was posted with: both back
// ends keep their drops here until the window procedure asks for them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class cDroppedFiles
{
public:
    // Keeps the paths of one drop; returns the handle its WM_DROPFILES carries.
    std::uintptr_t Add(std::vector<std::string> Paths)
    {
        const std::uintptr_t Drop = mNext++;
        mDrops[Drop] = std::move(Paths);
        return Drop;
    }
    // The paths of one drop, which is then forgotten: a second call gives nothing.
    std::vector<std::string> Take(std::uintptr_t Drop)
    {
        const auto It = mDrops.find(Drop);
        if (It == mDrops.end())
            return {};
        std::vector<std::string> Paths = std::move(It->second);
        mDrops.erase(It);
        return Paths;
    }

private:
    std::map<std::uintptr_t, std::vector<std::string>> mDrops;
    std::uintptr_t mNext = 1;
};
