#include "cli/ScriptSession.h"

#include "controls/KeyCodes.h"
#include "controls/memo/MemoLayouts.h"
#include "job/KalmoError.h"
#include "resources/layouts/SourceViewerLayout.h"

#include <filesystem>
#include <map>

namespace kalmo {
namespace {

// The font cell the viewer panes measure for their 11-pixel Courier New.
constexpr int kCharWidth = 7;
constexpr int kLineHeight = 14;

void shapeLikeViewerPane(TCustomCodeMemo& memo, const layout::ControlBounds& bounds)
{
    applyViewerPaneLayout(memo);
    memo.SetBounds(bounds.width, bounds.height);
    memo.SetFontCell(kCharWidth, kLineHeight);
}

// A file dialog hands back full paths.
std::string fullPath(const std::string& path)
{
    if (path.empty())
        return path;
    return std::filesystem::absolute(path).lexically_normal().string();
}

} // namespace

ScriptSession::ScriptSession(std::ostream& out) : out_(out), job_(*this, memo1_, memo2_)
{
    shapeLikeViewerPane(memo1_, layout::source_viewer::Memo1);
    shapeLikeViewerPane(memo2_, layout::source_viewer::Memo2);
    memo2_.OnActiveLineChange = [this](TCustomCodeMemo&, int) { job_.Memo2ActiveLineChange(); };
    job_.OnSaved = [this](const std::string& path) { savedPath_ = path; };
    job_.FormCreate();
}

std::optional<std::string> ScriptSession::ChooseSourceFile(const FileDialogRequest&)
{
    return dialogAnswer_;
}

bool ScriptSession::run(const std::string& commandLine)
{
    const auto space = commandLine.find(' ');
    const std::string command = commandLine.substr(0, space);
    const std::string argument = space == std::string::npos ? std::string() : commandLine.substr(space + 1);

    beeps_ = 0;
    savedPath_.reset();
    std::optional<std::string> error;
    try {
        dispatch(command, argument);
    } catch (const KalmoError& failure) {
        error = failure.what();
    }

    if (savedPath_)
        out_ << "saved: " << *savedPath_ << '\n';
    for (int i = 0; i < beeps_; ++i)
        out_ << "beep\n";
    if (error)
        out_ << "error: " << errorReportText(*error) << '\n';
    if (ended_)
        return false;
    printState();
    return true;
}

void ScriptSession::dispatch(const std::string& command, const std::string& argument)
{
    if (command == "load") {
        dialogAnswer_ = fullPath(argument);
        job_.LoadSourceFile1Click();
    } else if (command == "load-cancel") {
        dialogAnswer_.reset();
        job_.LoadSourceFile1Click();
    } else if (command == "type") {
        // A disabled field takes no typing.
        if (translationEnabled_)
            translation_ = argument;
    } else if (command == "key") {
        pressMainWindowKey(argument);
    } else if (command == "exit") {
        job_.Exit1Click();
    } else {
        throw KalmoError("Unknown command \"" + command + "\"");
    }
}

void ScriptSession::pressMainWindowKey(const std::string& name)
{
    static const std::map<std::string, KeyCode> keys = {
        {"Enter", vk::Enter}, {"Up", vk::Up}, {"Down", vk::Down}, {"F1", vk::F1}, {"F2", vk::F2},
    };
    const auto key = keys.find(name);
    if (key == keys.end())
        throw KalmoError("Unknown key \"" + name + "\"");
    job_.FormKeyDown(key->second);
}

void ScriptSession::printState()
{
    out_ << "status: " << status_ << '\n'
         << "name: " << name_ << '\n'
         << "source: " << source_ << '\n'
         << "translation: " << translation_ << '\n';
}

} // namespace kalmo
