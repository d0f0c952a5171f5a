// render-screens OUTDIR: draws every registered window and screen to PNG files,
// offscreen unless QT_QPA_PLATFORM says otherwise. Drive C: is a fresh temporary
// folder, so no real settings are read.
#include "render_registry.h"

#include "platform/paths.h"
#include "ui/application.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-screens OUTDIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    trev::Application::installFontStandIns();
    trev::Application::setTitle("Atualizador Trevalmonte");
    trev::Application::setMessageHook([](auto, const std::string& caption, const std::string& text) {
        std::fprintf(stderr, "message [%s]: %s\n", caption.c_str(), text.c_str());
    });
    QTemporaryDir drive;
    trev::setDriveRoot(drive.path().toStdString());

    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    auto renders = trev::render::registry();
    std::sort(renders.begin(), renders.end(), [](auto& a, auto& b) { return a.fileName < b.fileName; });
    int failures = 0;
    for (const auto& render : renders) {
        QString path = out.filePath(QString::fromStdString(render.fileName) + ".png");
        QImage image = render.draw();
        if (image.isNull() || !image.save(path)) {
            std::fprintf(stderr, "failed: %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return failures == 0 ? 0 : 1;
}
