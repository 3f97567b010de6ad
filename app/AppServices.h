// The outside world as the windows meet it: the file-open dialog, the find
// dialog, the error and information message boxes and the end of the event
// loop. Each is a plain function so that
// tests replace it and never open a modal dialog or stop their own loop.
#pragma once

#include "job/TranslationJobView.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace kalmo {

// Used on the task bar and as the caption of every error report.
inline constexpr const char* ApplicationTitle = "KALMO Translator";

struct AppServices {
    // The chosen file's full path, or nullopt when the user cancelled.
    using ChooseFile = std::function<std::optional<std::string>(QWidget* parent, const FileDialogRequest& request)>;
    // The text to find, or nullopt when the user cancelled; offered are the
    // job's last text and the texts searched for lately, newest first.
    using AskText = std::function<std::optional<std::string>(QWidget* parent, const std::string& lastText,
                                                             const QStringList& recentTexts)>;
    using MessageBox = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
    // The index of the answer chosen.
    using AskQuestion = std::function<std::size_t(QWidget* parent, const QString& title, const Question& question)>;
    using EndProgram = std::function<void()>;
    // A text picked from the offered ones or typed, or nullopt when the user
    // cancelled; `current` is offered first.
    using AskChoice = std::function<std::optional<std::string>(QWidget* parent, const QString& title,
                                                               const QString& label, const QStringList& offered,
                                                               const QString& current)>;

    ChooseFile chooseSourceFile;
    // The save dialog: the path to write to.
    ChooseFile chooseTargetFile;
    AskQuestion ask;
    AskText askFindText;
    MessageBox errorMessageBox;
    MessageBox informationMessageBox;
    EndProgram endProgram;
    // Tools > Translation Language.
    AskChoice askLanguage;

    // The real dialogs, QMessageBox::critical, ::information and a
    // question box, and QCoreApplication::exit.
    static AppServices platform();
};

// The error report: the message with the full-stop rule, in an error box
// titled with the application title.
void reportError(const AppServices& services, QWidget* parent, const std::string& message);

} // namespace kalmo
