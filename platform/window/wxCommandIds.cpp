// Command identifier mapping between the program and the toolkit.
#include "platform/window/wxCommandIds.h"

int cWxCommandIds::Acquire(int CommandId)
{
    auto Found = mByCommand.find(CommandId);
    if (Found != mByCommand.end())
    {
        ++Found->second.Count;
        return Found->second.ToolkitId;
    }
    int ToolkitId;
    if (!mFree.empty())
    {
        ToolkitId = mFree.back();
        mFree.pop_back();
    }
    else if (mNext <= LAST_ID)
        ToolkitId = mNext++;
    else
        return -1;
    mByCommand[CommandId] = {ToolkitId, 1};
    mByToolkit[ToolkitId] = CommandId;
    return ToolkitId;
}

void cWxCommandIds::Release(int CommandId)
{
    auto Found = mByCommand.find(CommandId);
    if (Found == mByCommand.end() || --Found->second.Count > 0)
        return;
    mFree.push_back(Found->second.ToolkitId);
    mByToolkit.erase(Found->second.ToolkitId);
    mByCommand.erase(Found);
}

int cWxCommandIds::ToToolkit(int CommandId) const
{
    auto Found = mByCommand.find(CommandId);
    return Found == mByCommand.end() ? -1 : Found->second.ToolkitId;
}

bool cWxCommandIds::ToCommand(int ToolkitId, int& CommandId) const
{
    auto Found = mByToolkit.find(ToolkitId);
    if (Found == mByToolkit.end())
        return false;
    CommandId = Found->second;
    return true;
}
