// The program's keys told to its memos; see MemoKeys.h.
#include "app/MemoKeys.h"

#include "app/menu/KeyScheme.h"
#include "controls/memo/qt/CodeMemo.h"

#include <QPointer>

#include <algorithm>
#include <vector>

namespace kalmo {

namespace {

std::vector<QPointer<TCodeMemo>>& followingMemos()
{
    static std::vector<QPointer<TCodeMemo>> memos;
    return memos;
}

void tellKeys(TCodeMemo& memo)
{
    memo.model().SetKeyScheme(activeKeyScheme());
    memo.SetReservedShortcuts(menuShortcuts(activeKeyScheme()));
}

} // namespace

void followProgramKeys(TCodeMemo& memo)
{
    std::vector<QPointer<TCodeMemo>>& memos = followingMemos();
    std::erase_if(memos, [](const QPointer<TCodeMemo>& gone) { return gone.isNull(); });
    memos.emplace_back(&memo);
    tellKeys(memo);
}

void setProgramKeyScheme(KeyScheme scheme)
{
    setActiveKeyScheme(scheme);
    for (const QPointer<TCodeMemo>& memo : followingMemos())
        if (memo)
            tellKeys(*memo);
}

} // namespace kalmo
