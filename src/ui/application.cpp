#include "ui/application.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>
#include <QList>
#include <QObject>
#include <QPointer>

#include <utility>

namespace trev::Application {
namespace {

std::string& titleText() {
    static std::string text;
    return text;
}

MessageHook& messageHook() {
    static MessageHook hook;
    return hook;
}

Cursor& currentCursor() {
    static Cursor c = Cursor::Default;
    return c;
}

}  // namespace

namespace {

// Debian's fonts-wine: faces drawn to the metrics of the Windows fonts the screens name.
constexpr const char* kWineFonts = "/usr/share/wine/fonts/";
struct FontStandIn {
    const char* family;
    const char* wineFile;
};
constexpr FontStandIn kStandIns[] = {
    {"Tahoma", "tahoma.ttf"}, {"Tahoma", "tahomabd.ttf"}, {"MS Sans Serif", "ms_sans_serif.ttf"},
    {"Fixedsys", "fixedsys.ttf"}};

bool hasFamily(const QString& family) { return QFontDatabase::families().contains(family, Qt::CaseInsensitive); }

}  // namespace

void installFontStandIns() {
    for (const FontStandIn& standIn : kStandIns)
        if (!hasFamily(QString::fromLatin1(standIn.family)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(kWineFonts) + QString::fromLatin1(standIn.wineFile));
    // Without Wine's Tahoma either, a condensed sans keeps its proportions.
    if (!hasFamily(QStringLiteral("Tahoma")))
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"));
}

// The title stays out of QGuiApplication's display name, which Qt would append
// to every window caption.
void setTitle(const std::string& title) { titleText() = title; }
std::string title() { return titleText(); }

void processMessages() { QCoreApplication::processEvents(); }

void terminate() { QCoreApplication::exit(0); }

void setCursor(Cursor cursor) {
    if (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    currentCursor() = cursor;
    if (cursor == Cursor::Busy) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    if (cursor == Cursor::SqlWait) QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

Cursor cursor() { return currentCursor(); }

namespace {

int& handlerDepth() {
    static int depth = 0;
    return depth;
}

QList<QPointer<QObject>>& pendingReleases() {
    static QList<QPointer<QObject>> objects;
    return objects;
}

}  // namespace

HandlerScope::HandlerScope() { ++handlerDepth(); }

// Qt would run a deferred delete posted from a nested handler as soon as the outer
// handler lets events run, so releases are held until the outermost one ends.
HandlerScope::~HandlerScope() {
    if (--handlerDepth() > 0) return;
    const auto objects = std::exchange(pendingReleases(), {});
    for (const auto& object : objects)
        if (object) object->deleteLater();
}

void release(QObject* object) {
    if (!object) return;
    if (handlerDepth() > 0)
        pendingReleases().append(object);
    else
        object->deleteLater();
}

void showMessage(MessageKind kind, const std::string& text) {
    if (messageHook()) {
        messageHook()(kind, title(), text);
        return;
    }
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information, fromCp1252(title()),
                    fromCp1252(text), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void showError(const std::string& message) { showMessage(MessageKind::Error, errorDisplayText(message)); }

void setMessageHook(MessageHook hook) { messageHook() = std::move(hook); }

void handleException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const SilentAbort&) {
    } catch (const std::exception& e) {
        showError(e.what());
    } catch (...) {
        showError("Unknown error");
    }
}

}  // namespace trev::Application
