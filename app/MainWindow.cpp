// TForm1, the main window: layout, menu, keys and the job's view; see MainWindow.h.
#include "app/MainWindow.h"

#include "app/Accessibility.h"
#include "app/AppSettings.h"
#include "app/ChecksSection.h"
#include "app/EncodingMenu.h"
#include "app/EntryChecks.h"
#include "app/EntrySection.h"
#include "app/FindHistory.h"
#include "app/FormControls.h"
#include "app/FormLayout.h"
#include "app/KeyRouting.h"
#include "app/KeySchemeMenu.h"
#include "app/LanguageFileDrop.h"
#include "app/MainWindowGrowth.h"
#include "app/Pictures.h"
#include "app/RecentFilesMenu.h"
#include "app/Sidebar.h"
#include "app/SidebarSplit.h"
#include "app/SpellingLanguageMenu.h"
#include "app/SuggestionsSection.h"
#include "app/WrappedText.h"
#include "app/layouts/MainWindowLayout.h"
#include "base/KalmoError.h"
#include "controls/edit/qt/EntryArea.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/qt/QtColor.h"
#include "controls/qt/QtKeys.h"
#include "app/menu/KeyScheme.h"
#include "app/menu/MenuCommands.h"
#include "job/TranslationLanguage.h"
#include "job/memory/MemoryAssistant.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>
#include <utility>

using namespace kalmo;

namespace {

// What each menu command runs in this window; names, captions and
// shortcuts come from the program's one table of menu commands.
using Click = void (TForm1::*)();

struct MenuClick {
    MenuCommand command;
    Click click;
};

constexpr std::array<MenuClick, 25> kMenuClicks{{
    {MenuCommand::LoadSourceFile, &TForm1::LoadSourceFile1Click},
    {MenuCommand::ContinueTranslation, &TForm1::ContinueTranslation1Click},
    {MenuCommand::Save, &TForm1::Save1Click},
    {MenuCommand::SaveAs, &TForm1::SaveAs1Click},
    {MenuCommand::Help, &TForm1::Help1Click},
    {MenuCommand::About, &TForm1::About1Click},
    {MenuCommand::Exit, &TForm1::Exit1Click},
    {MenuCommand::SourceWindows, &TForm1::SourceWindows1Click},
    {MenuCommand::NextUntranslated, &TForm1::NextUntranslated1Click},
    {MenuCommand::PreviousUntranslated, &TForm1::PreviousUntranslated1Click},
    {MenuCommand::Find, &TForm1::Find1Click},
    {MenuCommand::FindNext, &TForm1::FindNext1Click},
    {MenuCommand::NextToReview, &TForm1::NextToReview1Click},
    {MenuCommand::FillFromMemory, &TForm1::FillFromMemory1Click},
    {MenuCommand::TranslationLanguage, &TForm1::TranslationLanguage1Click},
    {MenuCommand::SearchMemory, &TForm1::SearchMemory1Click},
    {MenuCommand::UseSuggestion1, &TForm1::UseSuggestionClick<1>},
    {MenuCommand::UseSuggestion2, &TForm1::UseSuggestionClick<2>},
    {MenuCommand::UseSuggestion3, &TForm1::UseSuggestionClick<3>},
    {MenuCommand::UseSuggestion4, &TForm1::UseSuggestionClick<4>},
    {MenuCommand::UseSuggestion5, &TForm1::UseSuggestionClick<5>},
    {MenuCommand::NextProblem, &TForm1::NextProblem1Click},
    {MenuCommand::PreviousProblem, &TForm1::PreviousProblem1Click},
    {MenuCommand::Problems, &TForm1::Problems1Click},
    {MenuCommand::Sidebar, &TForm1::Sidebar1Click},
}};
static_assert(kMenuClicks.size() == kMenuCommands.size(), "every menu command has its handler here");

// Offered in Tools > Translation Language besides the file's own; any other
// tag or language name can be typed.
const QStringList kOfferedLanguages = {
    QStringLiteral("ar"), QStringLiteral("cs"), QStringLiteral("da"), QStringLiteral("de"),  QStringLiteral("el"),
    QStringLiteral("es"), QStringLiteral("fi"), QStringLiteral("fr"), QStringLiteral("hu"),  QStringLiteral("it"),
    QStringLiteral("ja"), QStringLiteral("nl"), QStringLiteral("pl"), QStringLiteral("pt"),  QStringLiteral("pt_BR"),
    QStringLiteral("ru"), QStringLiteral("sv"), QStringLiteral("tr"), QStringLiteral("uk"),  QStringLiteral("zh"),
};

Click clickOf(MenuCommand command)
{
    for (const MenuClick& entry : kMenuClicks)
        if (entry.command == command)
            return entry.click;
    return nullptr;
}

// The menu's shortcuts are letters, digits and function keys; letters and
// digits have the Qt keys' codes.
QKeySequence toQKeySequence(ShortCut value)
{
    int key = value & 0xFF;
    if (key >= vk::F1 && key < vk::F1 + 24)
        key = Qt::Key_F1 + (key - vk::F1);
    else
        Q_ASSERT((key >= vk::LetterA && key < vk::LetterA + 26) || (key >= vk::Digit0 && key < vk::Digit0 + 10));
    Qt::KeyboardModifiers modifiers;
    if (value & 0x4000)
        modifiers |= Qt::ControlModifier;
    if (value & 0x2000)
        modifiers |= Qt::ShiftModifier;
    if (value & 0x8000)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

// A menu of the menu bar, named and titled (with its Alt+letter) from the table of menus.
QMenu* addMenuBarMenu(QMenuBar& bar, std::string_view name)
{
    const auto entry = std::find_if(kMenuBar.begin(), kMenuBar.end(),
                                    [name](const MenuBarEntry& candidate) { return name == candidate.name; });
    Q_ASSERT(entry != kMenuBar.end());
    QMenu* menu = bar.addMenu(QString::fromUtf8(entry->title));
    menu->setObjectName(QString::fromUtf8(entry->name));
    return menu;
}

QFont windowFont(bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget& widget, ColorValue color)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, toQColor(color, palette));
    widget.setPalette(palette);
}

} // namespace

TForm1::TForm1(AppServices services)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                               | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)
    , services_(std::move(services))
    , settings_(std::make_shared<AppSettings>())
{
    setWindowTitle(QString::fromUtf8(ApplicationTitle));
    // The edit keeps Escape for a window that previews its keys.
    setProperty(TEntryEdit::KeyPreviewProperty, true);

    createControls();
    createMenu();

    new LanguageFileDrop(*this, [this](const std::string& path) { LoadFile(path); });
    keyPreview_ = new KeyPreviewFilter(*this, [this](const QKeyEvent& key) {
        ReportErrors([&] { FormKeyDown(toKeyCode(key.key())); });
    });

    // The client area has its stored size, the sidebar its width beside it;
    // the menu bar lies outside both.
    resize(ClientWidth + sidebarSplit_->SidebarRoom(), minimumSizeHint().height());
    centreOnScreen(*this);

    registerPictures();
    Image1->LoadPicture(QStringLiteral(":/LOGO"));
    Image2->LoadPicture(QStringLiteral(":/KLOGO"));
}

TForm1::~TForm1() = default;

void TForm1::SetJob(std::unique_ptr<TranslationJob> job)
{
    memory_.reset();
    job_ = std::move(job);
    job_->OnLoaded = [this](const std::string& path) {
        RecentFiles1->Loaded(path);
        SpellingLanguage1->FileLoaded(job_->TranslatedFilePath(),
                                      {job_->SourceLines(), job_->WorkingLines(), path, job_->TranslatedFilePath()});
    };
    job_->OnProblemsChanged = [this] { emit problemsChanged(); };
    // A save before another file replaces this one comes before the new name.
    job_->OnSaved = [this](const std::string&) { RecentFiles1->Saved(job_->FileName(), job_->ProgressText()); };

    // The memory's worker hands its results to this window's thread.
    memory_ = std::make_unique<MemoryAssistant>(*job_, [this](std::function<void()> task) {
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
    });
    memory_->OnSuggestions = [this](const MemorySuggestions& suggestions) { Suggestions1->Show(suggestions); };
    const auto inform = [this](const std::string& message) {
        if (services_.informationMessageBox)
            services_.informationMessageBox(this, QString::fromUtf8(ApplicationTitle),
                                            QString::fromStdString(errorReportText(message)));
    };
    memory_->OnProblem = inform;
    memory_->OnFilled = inform;
}

void TForm1::createControls()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Client"));
    // The window may grow; the stored size is the least it takes.
    client_->setMinimumSize(ClientWidth, ClientHeight);
    client_->setFont(windowFont());
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, toQColor(clSilver, palette));
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);

    auto label = [this](const char* name, const char* caption) {
        auto* created = new TLabel(client_);
        created->setObjectName(QString::fromLatin1(name));
        created->SetCaption(QString::fromUtf8(caption));
        return created;
    };
    StaticText1 = label("StaticText1", "Variable name");
    Label2 = label("Label2", "");
    StaticText2 = label("StaticText2", "Orignal Sourcetekst");
    Label1 = label("Label1", "");
    StaticText3 = label("StaticText3", "To be translated text");
    for (TLabel* field : {Label1, Label2}) {
        field->setFont(windowFont(true));
        setTextColor(*field, clBlue);
    }
    // The fields are named for what they hold; their captions say nothing of it.
    Label2->setAccessibleName(QStringLiteral("Constant name"));
    Label1->setAccessibleName(QStringLiteral("Source text"));

    EntryEdit1 = new TEntryEdit(client_);
    EntryEdit1->setObjectName(QStringLiteral("EntryEdit1"));
    EntryEdit1->setAccessibleName(QStringLiteral("Translation"));
    StaticText3->SetFocusControl(EntryEdit1);
    EntryEdit1->BeginLoading();
    EntryEdit1->SetColor(clWindow);
    EntryEdit1->SetText("EntryEdit1");
    EntryEdit1->Loaded();

    Image1 = new TImage(client_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2 = new TImage(client_);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->SetTransparent(true);

    StatusBar1 = new QStatusBar(client_);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    // A permanent widget leaves the messages of the first panel as they are.
    ChecksPanel = new StatusPanel(QStringLiteral("Checks"), StatusBar1);
    ChecksPanel->setObjectName(QStringLiteral("ChecksPanel"));
    StatusBar1->addPermanentWidget(ChecksPanel);
    EncodingPanel = new StatusPanel(QStringLiteral("Character set"), StatusBar1);
    EncodingPanel->setObjectName(QStringLiteral("EncodingPanel"));
    StatusBar1->addPermanentWidget(EncodingPanel);
    ProgressPanel = new StatusPanel(QStringLiteral("Progress"), StatusBar1);
    ProgressPanel->setObjectName(QStringLiteral("ProgressPanel"));
    StatusBar1->addPermanentWidget(ProgressPanel);

    SourceArea1 = new WrappedText(client_);
    SourceArea1->setObjectName(QStringLiteral("SourceArea1"));
    SourceArea1->setAccessibleName(Label1->accessibleName());
    SourceArea1->setFont(Label1->font());
    QPalette sourceColors = Label1->palette();
    sourceColors.setColor(QPalette::Text, sourceColors.color(QPalette::WindowText));
    SourceArea1->setPalette(sourceColors);
    SourceArea1->hide();
    EntryArea1 = new TEntryArea(*EntryEdit1, client_);
    EntryArea1->setObjectName(QStringLiteral("EntryArea1"));
    EntryArea1->hide();

    applyLayout(*client_, layout::main_window::controls);
    // The entry fields show their text as it stands (language files are full
    // of HTML entities such as "&uuml;").
    for (TLabel* field : {Label1, Label2})
        field->SetShowAccelChar(false);
    EntryChecks1 = new EntryChecks(*EntryEdit1, [this] { return job_.get(); }, this);
    connect(EntryChecks1, &EntryChecks::findingsChanged, this, &TForm1::showChecks);
    showChecks();

    new MainWindowGrowth(*this);
    createSidebar();
    setTabOrders();
    EntryEdit1->setFocus();
}

void TForm1::showChecks()
{
    // The panel takes at most a third of the status bar; its tooltip has it all.
    const QString summary = EntryChecks1->Summary();
    ChecksPanel->SetText(ChecksPanel->fontMetrics().elidedText(summary, Qt::ElideRight, ClientWidth / 3));
    ChecksPanel->setToolTip(EntryChecks1->Details());
    ChecksPanel->setVisible(!summary.isEmpty());
}

void TForm1::createSidebar()
{
    sidebar_ = new Sidebar;
    EntrySection1 = new EntrySection;
    sidebar_->addSection(QStringLiteral("Entry"), EntrySection1);
    sidebar_->addSection(QStringLiteral("Checks"), new ChecksSection(*EntryChecks1));
    Suggestions1 = new SuggestionsSection;
    connect(Suggestions1, &SuggestionsSection::suggestionChosen, this, &TForm1::UseSuggestion);
    sidebar_->addSection(QStringLiteral("Suggestions"), Suggestions1);
    sidebarSplit_ = new SidebarSplit(*client_, *sidebar_, *settings_, this);
    setCentralWidget(sidebarSplit_);
}

void TForm1::setTabOrders()
{
    // Name, source text, translation, then the sidebar, which follows the
    // client in the chain; of each pair of field and area only the one shown
    // takes the focus.
    const std::array<QWidget*, 5> order{Label2, Label1, SourceArea1, EntryEdit1, EntryArea1};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TForm1::createMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setAccessibleName(QStringLiteral("Main menu"));
    setMenuBar(MainMenu1);
    shortcutPriority_ = new MenuShortcutPriority(this);

    auto addItem = [this](QMenu* menu, MenuCommand command) {
        const MenuCommandEntry& item = menuCommand(command);
        auto* action = menu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        keyedItems_.emplace_back(action, command);
        // The menu's keys act in every window of the program.
        action->setShortcutContext(Qt::ApplicationShortcut);
        shortcutPriority_->addAction(action);
        connect(action, &QAction::triggered, this, [this, click = clickOf(command)] { ReportErrors([&] { (this->*click)(); }); });
        return action;
    };

    File1 = addMenuBarMenu(*MainMenu1, "File1");
    LoadSourceFile1 = addItem(File1, MenuCommand::LoadSourceFile);
    createReloadWithEncodingMenu();
    RecentFiles1 = new RecentFilesMenu(*settings_, File1);
    File1->addMenu(RecentFiles1);
    connect(RecentFiles1, &RecentFilesMenu::fileChosen, this, &TForm1::LoadFile);
    connect(RecentFiles1, &RecentFilesMenu::fileGone, this, [this](const QString& message) {
        if (services_.informationMessageBox)
            services_.informationMessageBox(this, QString::fromUtf8(ApplicationTitle), message);
    });
    ContinueTranslation1 = addItem(File1, MenuCommand::ContinueTranslation);
    Save1 = addItem(File1, MenuCommand::Save);
    SaveAs1 = addItem(File1, MenuCommand::SaveAs);
    Help1 = addItem(File1, MenuCommand::Help);
    About1 = addItem(File1, MenuCommand::About);
    Exit1 = addItem(File1, MenuCommand::Exit);

    View1 = addMenuBarMenu(*MainMenu1, "View1");
    SourceWindows1 = addItem(View1, MenuCommand::SourceWindows);
    SourceWindows1->setCheckable(true);
    SourceWindows1->setChecked(false);
    Sidebar1 = addItem(View1, MenuCommand::Sidebar);
    Sidebar1->setCheckable(true);
    Sidebar1->setChecked(SidebarShown());
    Keys1 = new KeySchemeMenu(*settings_, View1);
    View1->addMenu(Keys1);
    connect(Keys1, &KeySchemeMenu::schemeChosen, this, &TForm1::bindMenuKeys);

    Navigate1 = addMenuBarMenu(*MainMenu1, "Navigate1");
    NextUntranslated1 = addItem(Navigate1, MenuCommand::NextUntranslated);
    PreviousUntranslated1 = addItem(Navigate1, MenuCommand::PreviousUntranslated);
    Navigate1->addSeparator();
    Find1 = addItem(Navigate1, MenuCommand::Find);
    FindNext1 = addItem(Navigate1, MenuCommand::FindNext);
    Navigate1->addSeparator();
    NextToReview1 = addItem(Navigate1, MenuCommand::NextToReview);
    NextProblem1 = addItem(Navigate1, MenuCommand::NextProblem);
    PreviousProblem1 = addItem(Navigate1, MenuCommand::PreviousProblem);
    Problems1 = addItem(View1, MenuCommand::Problems);

    Tools1 = addMenuBarMenu(*MainMenu1, "Tools1");
    FillFromMemory1 = addItem(Tools1, MenuCommand::FillFromMemory);
    SearchMemory1 = addItem(Tools1, MenuCommand::SearchMemory);
    TranslationLanguage1 = addItem(Tools1, MenuCommand::TranslationLanguage);
    addSpellingLanguageMenu();
    Tools1->addSeparator();
    const int firstSuggestion = static_cast<int>(MenuCommand::UseSuggestion1);
    for (std::size_t i = 0; i < UseSuggestion1To5.size(); ++i)
        UseSuggestion1To5[i] = addItem(Tools1, static_cast<MenuCommand>(firstSuggestion + static_cast<int>(i)));

    createHelpMenu();
    bindMenuKeys();
}

void TForm1::bindMenuKeys()
{
    for (const auto& [action, command] : keyedItems_) {
        const ShortCut key = menuCommand(command).keyUnder(activeKeyScheme());
        action->setShortcut(key != 0 ? toQKeySequence(key) : QKeySequence());
    }
}

void TForm1::addSpellingLanguageMenu()
{
    SpellingLanguage1 = new SpellingLanguageMenu(Tools1);
    Tools1->addMenu(SpellingLanguage1);
    connect(SpellingLanguage1, &SpellingLanguageMenu::dictionaryChosen, EntryChecks1, &EntryChecks::SetDictionary);
}

void TForm1::createHelpMenu()
{
    HelpMenu1 = addMenuBarMenu(*MainMenu1, "HelpMenu1");
    const auto repeat = [this](QAction* original, const char* name) {
        // The key is shown beside the item, not bound: the original holds it.
        auto* action = HelpMenu1->addAction(QString(), original, &QAction::trigger);
        action->setObjectName(QString::fromLatin1(name));
        const auto showKey = [original, action] {
            action->setText(original->text() + QLatin1Char('\t') + original->shortcut().toString(QKeySequence::NativeText));
        };
        showKey();
        connect(original, &QAction::changed, action, showKey);
        return action;
    };
    HelpMenuHelp1 = repeat(Help1, "HelpMenuHelp1");
    HelpMenuAbout1 = repeat(About1, "HelpMenuAbout1");
    HelpMenu1->addSeparator();
    KeyboardShortcuts1 = HelpMenu1->addAction(QStringLiteral("Keyboard Shortcuts"), this, &TForm1::KeyboardShortcuts1Click);
    KeyboardShortcuts1->setObjectName(QStringLiteral("KeyboardShortcuts1"));
}

void TForm1::createReloadWithEncodingMenu()
{
    ReloadWithEncodingMenu = new EncodingMenu(
        [this](const TextEncoding& encoding) {
            ReportErrors([&] { ReloadWithEncodingClick(encoding); });
            // A reload that failed or was refused leaves the mark on the set in use.
            checkEncodingInUse();
        },
        File1);
    File1->addMenu(ReloadWithEncodingMenu);
}

QString TForm1::StatusText() const { return StatusBar1->currentMessage(); }

bool TForm1::ReportErrors(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const AnsweredError&) {
        // The user saw it in a question and chose to stay.
        return false;
    } catch (const KalmoError& error) {
        reportError(services_, QApplication::activeWindow() ? QApplication::activeWindow() : this, error.what());
        return false;
    }
}

void TForm1::LoadSourceFile1Click() { job_->LoadSourceFile1Click(); }

void TForm1::LoadFile(const std::string& path)
{
    presetSourceFile_ = path;
    ReportErrors([this] { LoadSourceFile1Click(); });
    presetSourceFile_.reset();
}

void TForm1::ContinueTranslation1Click() { job_->ContinueTranslation(); }

void TForm1::Save1Click() { job_->Save(); }

void TForm1::SaveAs1Click() { job_->SaveAs(); }

void TForm1::NextUntranslated1Click() { job_->NextUntranslated(); }

void TForm1::PreviousUntranslated1Click() { job_->PreviousUntranslated(); }

void TForm1::Find1Click() { job_->Find(); }

void TForm1::FindNext1Click() { job_->FindNext(); }

void TForm1::NextProblem1Click() { job_->NextProblem(); }

void TForm1::PreviousProblem1Click() { job_->PreviousProblem(); }

void TForm1::Problems1Click() { showWindow(problems_); }

void TForm1::ReloadWithEncodingClick(const TextEncoding& encoding) { job_->ReloadWithEncoding(encoding); }

void TForm1::Help1Click() { showWindow(help_); }

void TForm1::About1Click() { showWindow(about_); }

void TForm1::KeyboardShortcuts1Click() { showWindow(keyboardShortcuts_); }

void TForm1::NextToReview1Click() { job_->NextToReview(); }

void TForm1::FillFromMemory1Click() { memory_->FillFromMemory(); }

void TForm1::SearchMemory1Click() { showWindow(memorySearch_); }

void TForm1::UseSuggestion(int number) { memory_->UseSuggestion(number); }

void TForm1::TranslationLanguage1Click()
{
    if (!services_.askLanguage)
        return;
    const QString current = QString::fromStdString(memory_->Language());
    const auto chosen = services_.askLanguage(this, QString::fromUtf8(ApplicationTitle),
                                              QStringLiteral("The language this file is translated into, as a tag "
                                                             "such as de or pt_BR:"),
                                              kOfferedLanguages, current);
    if (chosen && !chosen->empty())
        memory_->ChooseLanguage(*chosen);
}

void TForm1::Exit1Click() { job_->Exit1Click(); }

bool TForm1::SidebarShown() const { return sidebarSplit_->SidebarShown(); }

void TForm1::Sidebar1Click()
{
    sidebarSplit_->ShowSidebar(!SidebarShown());
    Sidebar1->setChecked(SidebarShown());
}

void TForm1::SourceWindows1Click()
{
    if (!viewer_)
        return;
    // The viewer's visibility decides, not the check mark: F2 shows the
    // viewer without setting it.
    if (viewer_->isVisible()) {
        viewer_->hide();
        SourceWindows1->setChecked(false);
    } else {
        showWindow(viewer_);
        SourceWindows1->setChecked(true);
    }
}

void TForm1::FormKeyDown(KeyCode key) { job_->FormKeyDown(key); }

void TForm1::showWindow(const WindowSource& source)
{
    if (source)
        showWindow(&source());
}

void TForm1::showWindow(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing the main window by any means is Exit: the translation is saved,
    // and a save that fails keeps the window open with the work intact.
    if (!ended_ && !ReportErrors([this] { job_->Exit1Click(); })) {
        event->ignore();
        return;
    }
    event->accept();
}

void TForm1::SetStatusText(const std::string& text) { StatusBar1->showMessage(QString::fromStdString(text)); }

void TForm1::SetEncodingPanel(const std::string& text)
{
    EncodingPanel->SetText(QString::fromStdString(text));
    checkEncodingInUse();
}

void TForm1::SetProgressPanel(const std::string& text) { ProgressPanel->SetText(QString::fromStdString(text)); }

void TForm1::ShowNotes(const std::string& heading, const std::vector<std::string>& notes)
{
    QString text = QString::fromStdString(heading);
    for (const std::string& note : notes)
        text += QLatin1Char('\n') + QString::fromStdString(note);
    if (services_.informationMessageBox)
        services_.informationMessageBox(this, QString::fromUtf8(ApplicationTitle), text);
}

void TForm1::checkEncodingInUse()
{
    const bool shown = !EncodingPanel->text().isEmpty();
    ReloadWithEncodingMenu->SetInUse(shown ? job_->Encoding().name() : std::string());
}

void TForm1::Beep() { QApplication::beep(); }

void TForm1::SetNameField(const std::string& text)
{
    const QString name = QString::fromStdString(text);
    Label2->SetCaption(name);
    EntrySection1->SetName(name);
}

void TForm1::SetSourceField(const std::string& text)
{
    const QString source = QString::fromStdString(text);
    Label1->SetCaption(source);
    SourceArea1->SetText(source);
    EntrySection1->SetSourceText(source);
}

void TForm1::SetEntryLine(int line, const std::string& text) { EntrySection1->SetLine(line, QString::fromStdString(text)); }

void TForm1::SetTranslationField(const std::string& text)
{
    EntryEdit1->SetText(text);
    // Another entry may show the same text as the last one, which changes
    // nothing in the field.
    EntryChecks1->Recheck();
}

std::string TForm1::TranslationField() const { return EntryEdit1->Text(); }

void TForm1::SetTranslationFieldEnabled(bool enabled)
{
    EntryEdit1->SetEnabled(enabled);
    // Usable again, the field takes the keyboard, also when the main window
    // stayed active all along.
    if (enabled)
        EntryEdit1->setFocus(Qt::OtherFocusReason);
}

void TForm1::SetTranslationFieldColors(ColorValue background, ColorValue text)
{
    EntryEdit1->SetColor(background);
    EntryEdit1->SetFontColor(text);
}

void TForm1::SelectTranslationField()
{
    // Called as an entry is shown, after the name and source fields.
    describeTranslationField(*EntryEdit1, Label2->Caption(), Label1->Caption());
    // The caret ends at the end of the selection, so End, Home and the
    // arrows collapse it as in any line edit.
    EntryEdit1->setSelection(0, static_cast<int>(EntryEdit1->QLineEdit::text().size()));
}

std::optional<std::string> TForm1::AskFindText(const std::string& lastText)
{
    if (!services_.askFindText)
        return std::nullopt;
    const auto text = services_.askFindText(this, lastText, recentFindTexts(*settings_));
    if (text)
        rememberFindText(*settings_, QString::fromStdString(*text));
    return text;
}

std::optional<std::string> TForm1::ChooseSourceFile(const FileDialogRequest& request)
{
    if (auto preset = std::exchange(presetSourceFile_, std::nullopt))
        return preset;
    if (!services_.chooseSourceFile)
        return std::nullopt;
    return services_.chooseSourceFile(this, request);
}

std::optional<std::string> TForm1::ChooseTargetFile(const FileDialogRequest& request)
{
    if (!services_.chooseTargetFile)
        return std::nullopt;
    return services_.chooseTargetFile(this, request);
}

std::size_t TForm1::Ask(const Question& question)
{
    if (!services_.ask)
        return question.defaultAnswer;
    const std::size_t answer = services_.ask(this, QString::fromUtf8(ApplicationTitle), question);
    // Without a window manager nobody hands the keyboard back once the box
    // is gone, and the work goes on in this window.
    activateWindow();
    return answer;
}

void TForm1::ShowAndFocusViewer() { emit viewerWanted(); }

void TForm1::FocusMainWindow()
{
    raise();
    activateWindow();
}

void TForm1::EndProgram()
{
    ended_ = true;
    if (services_.endProgram)
        services_.endProgram();
}
