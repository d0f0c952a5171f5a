#include "update/frm_ajuda.h"

#include "platform/paths.h"
#include "ui/application.h"
#include "ui/form_instance.h"
#include "ui/qt_text.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>

namespace trev {

TFrmAjuda* FrmAjuda = nullptr;

namespace {

// A heading closed by another level's end tag ends there, as browsers read it;
// the text control would otherwise keep the rest of the page in the heading.
QString matchHeadingEnds(QString html) {
    static const QRegularExpression heading(QStringLiteral("<h([1-6])>(.*?)</h[1-6]>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    return html.replace(heading, QStringLiteral("<h\\1>\\2</h\\1>"));
}

}  // namespace

TFrmAjuda::TFrmAjuda(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("FrmAjuda");
    setWindowTitle(QString::fromUtf8("Ajuda"));
    setFixedSize(394, 350);
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setGeometry(0, 0, 394, 317);
    BitBtn1 = new QPushButton(QString::fromUtf8("&Fechar"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(310, 321, 75, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, Application::guardedSlot([this] { BitBtn1Click(); }));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect desktop = screen->availableGeometry();
        move(desktop.center() - rect().center());
    }
}

TFrmAjuda::~TFrmAjuda() { forgetInstance(FrmAjuda, this); }

void TFrmAjuda::WebBrowser1Navigate(const std::string& windowsPath) {
    QString native = QString::fromStdString(nativePath(windowsPath));
    QFile file(native);
    if (!file.open(QIODevice::ReadOnly)) return;  // a browser shows an empty page
    WebBrowser1->setSearchPaths({QFileInfo(native).absolutePath()});
    WebBrowser1->setHtml(matchHeadingEnds(fromCp1252(file.readAll().toStdString())));
}

void TFrmAjuda::BitBtn1Click() { close(); }

}  // namespace trev
