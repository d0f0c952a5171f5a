// Runs the updater offscreen and clicks through a server update the way a person
// would: waits for the version check, ticks the first add-on, picks "Servidor",
// confirms the warning and presses "Atualizar Agora". Prints what happened and
// saves a picture of each phase into the folder given as the argument. With
// TREV_DEMO_SHELL set, the program the run starts is also started by the shell;
// with TREV_DEMO_TYPE=terminal it picks "Terminal" instead.
#include "app/entry.h"
#include "app/frm_pai.h"
#include "platform/launcher.h"
#include "platform/shell_open.h"
#include "ui/application.h"
#include "ui/qt_text.h"
#include "update/frm_atualiza_web.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace trev;

QString pictureFolder;
int pictureCount = 0;

void say(const QString& line) { std::printf("%s\n", line.toUtf8().constData()); std::fflush(stdout); }

bool terminalUpdate() {
    const char* type = std::getenv("TREV_DEMO_TYPE");
    return type && std::string(type) == "terminal";
}

void savePicture(const QString& name) {
    if (!FrmPai) return;
    QString file = QDir(pictureFolder).filePath(QString("%1-%2.png").arg(++pictureCount, 2, 10, QChar('0')).arg(name));
    FrmPai->grab().save(file);
}

void listVersions(TFrmAtualizaWeb* screen) {
    say("Versions offered:");
    for (int i = 0; i < screen->ListVersao->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = screen->ListVersao->topLevelItem(i);
        say("  " + row->text(0) + "  " + row->text(1) + "  " + row->text(2).trimmed());
    }
}

// Pictures while the run goes on: one whenever a phase text changes.
void watchPhases(TFrmAtualizaWeb* screen) {
    auto* timer = new QTimer(screen);
    auto last = std::make_shared<QString>();
    QObject::connect(timer, &QTimer::timeout, screen, [screen, timer, last] {
        QString now = screen->LblF2->text() + "|" + screen->LblF3->text() + "|" + screen->LblAcao->text();
        if (now == *last) return;
        *last = now;
        say("  " + screen->LblF2->text() + " / " + screen->LblF3->text() + "  " + screen->LblAcao->text());
        savePicture("run");
        timer->setInterval(5);
    });
    timer->start(5);
}

void clickThrough(TFrmAtualizaWeb* screen) {
    listVersions(screen);
    savePicture("versions");
    if (screen->ListAdicionais->topLevelItemCount() > 0) {
        screen->ListAdicionais->topLevelItem(0)->setCheckState(0, Qt::Checked);
        say("Add-on ticked: " + screen->ListAdicionais->topLevelItem(0)->text(0));
    }
    if (terminalUpdate()) {
        screen->RadioButton2->click();
        savePicture("terminal-chosen");
    } else {
        screen->RadioButton1->click();
        savePicture("server-warning");
        screen->BitBtn1->click();
        savePicture("server-chosen");
    }
    say("Update run:");
    watchPhases(screen);
    QTimer::singleShot(0, screen, [screen] { screen->BtnAtualizar->click(); });
}

// Waits for the version check to end, then clicks; gives up after two minutes.
void awaitVersionCheck() {
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, waited] {
        TFrmAtualizaWeb* screen = FrmAtualizaWeb;
        if (screen && screen->lblF1->text().endsWith("(Ok)")) {
            poll->stop();
            clickThrough(screen);
        } else if (++*waited > 1200) {
            say("The version check did not end.");
            savePicture("stuck");
            QCoreApplication::exit(1);
        }
    });
    poll->start(100);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    pictureFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("demo-pictures");
    QDir().mkpath(pictureFolder);
    Application::setMessageHook([](Application::MessageKind, const std::string&, const std::string& text) {
        say("Message shown: " + fromCp1252(text));
    });
    setLauncher([](const std::string& path, const std::string& parameters) {
        savePicture("done");
        say("Started (maximised): " + fromCp1252(path));
        if (std::getenv("TREV_DEMO_SHELL")) shellOpen(path, parameters);
    });
    awaitVersionCheck();
    int result = runUpdater(application, builtInUpdateServer());
    say(result != 0        ? "The updater did not finish."
        : terminalUpdate() ? "The updater ended."
                           : "The updater ended; the database transaction is committed.");
    return result;
}
