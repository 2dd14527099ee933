// Maps the program's command identifiers (menu commands reach 40016) onto toolkit identifiers,
// which must stay at or below 32767 and clear of the toolkit's own reserved range.
#pragma once

#include <map>
#include <vector>

class cWxCommandIds
{
public:
    // First and last toolkit identifier handed out; above the toolkit's stock ids.
    static constexpr int FIRST_ID = 10000;
    static constexpr int LAST_ID = 32767;

    // The toolkit id for CommandId, assigned on first use and counted once per use. Returns -1
    // when every toolkit id is in use.
    int Acquire(int CommandId);
    // Gives back one use; the toolkit id is free again when no use remains.
    void Release(int CommandId);
    // The toolkit id of a command in use, or -1.
    int ToToolkit(int CommandId) const;
    // The command of a toolkit id in use; false when the id is not one of ours.
    bool ToCommand(int ToolkitId, int& CommandId) const;

private:
    struct tUse
    {
        int ToolkitId;
        int Count;
    };
    std::map<int, tUse> mByCommand;
    std::map<int, int> mByToolkit;
    std::vector<int> mFree;
    int mNext = FIRST_ID;
};
