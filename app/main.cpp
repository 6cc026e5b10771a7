#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/contents/CachedTagReader.h"
#include "engine/contents/TagLibTagReader.h"
#include "platform/PosixFileSystem.h"
#include "platform/ProcMountsVolumeSource.h"
#include "platform/ProgramVersion.h"
#include "platform/StartupDirectory.h"
#include "settings/DefaultSettingsFiles.h"
#include "settings/UserSettingsDirectory.h"
#include "ui/AboutDialog.h"
#include "ui/HelpWindow.h"
#include "ui/MainDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/QtMessageBox.h"
#include "ui/Resources.h"
#include "ui/TagNamingOptionsDialog.h"
#include "ui/Translations.h"

namespace {

constexpr int kBadUsage = 2;  // as nameshift-cli, grep and ls answer a bad command line

struct StartRequest {
    std::string folder;
    std::vector<std::string> files;  // of `folder`, to tick
    std::string settingsDirectory;
    bool quitAfterStart = false;
};

std::string bytesOf(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// The command line is read before any window system is opened, so that --help and --version
// work without a display. Ends the process
// for --help, --version and a command line it cannot read.
StartRequest readCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Renames files in batches, by rules or from their ID3 tags. Starts in FOLDER when one is "
        "given, else in the start-up directory of opt.ini when that option is on, else in the "
        "current directory."));
    // Not Qt's own help and version options: those need the application object, and so a
    // display, and Qt's -v would mean --verbose to a user of nameshift-cli.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Print the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption settingsDirectory(
        QStringLiteral("settings-dir"),
        QStringLiteral("Read and save renset.ini, opt.ini and ID3Opts.ini in DIR (default: "
                       "$XDG_CONFIG_HOME/nameshift or ~/.config/nameshift, as nameshift-cli; . "
                       "for the current directory)."),
        QStringLiteral("DIR"));
    parser.addOption(settingsDirectory);
    // For scripted checks of the start-up: the main window closes as soon as it is shown, so a
    // start that shows no message ends by itself.
    QCommandLineOption quitAfterStart(QStringLiteral("quit-after-start"));
    quitAfterStart.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(quitAfterStart);
    parser.addPositionalArgument(
        QStringLiteral("FOLDER|FILE"),
        QStringLiteral("The folder to open, for this run only; or files, whose folder is opened "
                       "with them ticked."),
        QStringLiteral("[FOLDER | FILE...]"));

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "nameshift: %s\n", qPrintable(parser.errorText()));
        std::exit(kBadUsage);
    }
    if (parser.isSet(help)) {
        // Without the application object the parser cannot know the program's name.
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                        QStringLiteral("nameshift"))),
                   stdout);
        std::exit(0);
    }
    if (parser.isSet(version)) {
        std::printf("nameshift %s\n", nameshift::platform::kProgramVersion);
        std::exit(0);
    }
    StartRequest request;
    // A file manager hands over folders or the files the user selected; the program works in one
    // folder at a time, the first one named, and ticks the files given of it.
    for (const QString& argument : parser.positionalArguments()) {
        const QFileInfo given(argument);
        const std::string folder =
            bytesOf(given.isDir() ? given.absoluteFilePath() : given.absolutePath());
        if (request.folder.empty()) {
            request.folder = folder;
        }
        if (!given.isDir() && folder == request.folder) {
            request.files.push_back(bytesOf(given.fileName()));
        }
    }
    request.settingsDirectory = bytesOf(parser.value(settingsDirectory));
    request.quitAfterStart = parser.isSet(quitAfterStart);
    return request;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace nameshift;
    QApplication::setApplicationName(QString::fromUtf8(platform::kProgramTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(platform::kProgramVersion));
    const StartRequest request = readCommandLine(argc, argv);
    QApplication app(argc, argv);
    // Wayland compositors match the window to its menu entry, and so to its name and icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("nameshift"));
    ui::loadResources();
    ui::installTranslations(QLocale(), ui::translationDirectory());

    platform::PosixFileSystem fileSystem;
    ui::QtMessageBox messages;
    // Kept for the life of the window: every keystroke names the same files again.
    engine::CachedTagReader tags(std::make_unique<engine::TagLibTagReader>());
    platform::ProcMountsVolumeSource volumes(fileSystem);

    ui::MainDialogServices services{fileSystem, messages, tags, volumes};
    // Not the folder the terminal happens to be in: settings saved there would be lost to the
    // next start from elsewhere.
    services.settingsDirectory = settings::prepareSettingsDirectory(
        fileSystem, request.settingsDirectory,
        settings::userSettingsDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
    services.startDirectory = platform::startupDirectory();
    services.startFolder = request.folder;
    services.startFiles = request.files;
    ui::DialogHooks hooks;
    hooks.options = [](const ui::DialogContext& context) {
        ui::OptionsDialog(context.fileSystem, context.messages, context.paths.programOptions,
                          context.parent, context.paths.moreRules)
            .exec();
    };
    hooks.tagNamingOptions = [](const ui::DialogContext& context) {
        ui::TagNamingOptionsDialog(context.fileSystem, context.messages, context.paths.id3Options,
                                   context.parent)
            .exec();
    };
    hooks.about = [](const ui::DialogContext& context) {
        ui::AboutDialog(context.messages, context.parent).exec();
    };
    hooks.help = [](const ui::DialogContext& context, const QString& page) {
        ui::HelpWindow::showHelp(context.parent, page);
    };
    ui::MainDialog dialog(std::move(services), std::move(hooks));
    messages.setParent(&dialog);
    dialog.startUp();
    if (request.quitAfterStart) {
        QTimer::singleShot(0, &dialog, &QDialog::accept);
    }
    dialog.exec();
    return 0;
}
