// Shared by the window tests: user folders of their own, services that
// record instead of opening a dialog, a message box or ending the loop; a
// small language file; and key presses delivered the way the window system
// delivers them.
#pragma once

#include "app/AppServices.h"
#include "testing/UserFolders.h"
#include "tests/app/KeyPresses.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kalmo::testing_support {

// The windows keep a recovery journal in the user's state folder: every
// window test program points the user's folders at its own, from before
// its first window.
inline const bool kWindowTestsUseTheirOwnUserFolders = (useTemporaryUserFolders(), true);

struct RecordedServices {
    std::optional<std::string> dialogAnswer;
    std::vector<FileDialogRequest> dialogs;
    std::optional<std::string> targetAnswer;
    // Captions to answer the coming questions with, first given first; a
    // question with none left takes its default.
    std::deque<std::string> answers;
    std::vector<std::string> questions;
    std::optional<std::string> findAnswer;
    std::vector<std::string> findOffers;
    // The recent texts each Find offered, newest first.
    std::vector<QStringList> findHistories;
    QStringList messageTitles;
    QStringList messages;
    QStringList informationTitles;
    QStringList information;
    int programEnds = 0;

    AppServices services()
    {
        AppServices result;
        result.chooseSourceFile = [this](QWidget*, const FileDialogRequest& request) {
            dialogs.push_back(request);
            return dialogAnswer;
        };
        result.chooseTargetFile = [this](QWidget*, const FileDialogRequest& request) {
            dialogs.push_back(request);
            return targetAnswer;
        };
        result.ask = [this](QWidget*, const QString&, const Question& question) {
            questions.push_back(question.text);
            std::optional<std::size_t> chosen;
            if (!answers.empty()) {
                chosen = question.answerNamed(answers.front());
                answers.pop_front();
            }
            return chosen.value_or(question.defaultAnswer);
        };
        result.askFindText = [this](QWidget*, const std::string& lastText, const QStringList& recentTexts) {
            findOffers.push_back(lastText);
            findHistories.push_back(recentTexts);
            return findAnswer;
        };
        result.errorMessageBox = [this](QWidget*, const QString& title, const QString& text) {
            messageTitles << title;
            messages << text;
        };
        result.informationMessageBox = [this](QWidget*, const QString& title, const QString& text) {
            informationTitles << title;
            information << text;
        };
        result.endProgram = [this] { ++programEnds; };
        return result;
    }
};

// Ten lines; the entries are at 3 and 5, line 2 holds "define" but is no entry.
inline const std::string kLanguageFile = "<?php\n"
                                         "// KALMO language file\n"
                                         "if (!defined('_KALMO')) { die(); }\n"
                                         "define('_GREETING', 'Hello');\n"
                                         "// between\n"
                                         "define(\"_FAREWELL\", \"R&D\");\n"
                                         "\n"
                                         "$x = 1;\n"
                                         "// end\n"
                                         "?>\n";

} // namespace kalmo::testing_support
