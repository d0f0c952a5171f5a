#include "update/frm_atualiza_web.h"

#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form_building.h"
#include "ui/form_instance.h"
#include "ui/icons.h"
#include "ui/palette.h"
#include "update/web_update_database.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace trev {

TFrmAtualizaWeb* FrmAtualizaWeb = nullptr;

namespace {

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* label(QWidget* parent, const char* name, int x, int y, const QString& text) {
    auto* l = place(new QLabel(text, parent), name, x, y);
    l->adjustSize();
    return l;
}

QLabel* wrappedLabel(QWidget* parent, const char* name, QRect box, const QString& text, const QFont& f) {
    auto* l = place(new QLabel(text, parent), name, box.x(), box.y());
    l->setFont(f);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->resize(box.size());
    return l;
}

TShape* shape(QWidget* parent, const char* name, QRect box, const QColor& fill, const QColor& pen) {
    auto* s = place(new TShape(parent), name, box.x(), box.y());
    s->resize(box.size());
    s->brushColor = fill;
    s->penColor = pen;
    return s;
}

QWidget* panel(QWidget* parent, const char* name, QRect box) {
    auto* p = place(new QWidget(parent), name, box.x(), box.y());
    p->resize(box.size());
    setBackground(p, Qt::white);
    return p;
}

// A notice: a rounded frame filling its panel with a red dash-dot-dot border.
TShape* noticeFrame(QWidget* parent, const char* name) {
    TShape* s = shape(parent, name, parent->rect(), QColor(255, 255, 198), kRed);
    s->penStyle = Qt::DashDotDotLine;
    s->rounded = true;
    return s;
}

QTreeWidget* reportList(QWidget* parent, const char* name, QRect box, const QStringList& columns,
                        const QList<int>& widths) {
    auto* list = place(new QTreeWidget(parent), name, box.x(), box.y());
    list->resize(box.size());
    list->setRootIsDecorated(false);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    for (int i = 0; i < widths.size(); ++i) list->setColumnWidth(i, widths[i]);
    list->header()->setStretchLastSection(false);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFont(pointFont("Courier New", 9));
    list->header()->setFont(pointFont("Tahoma", 8));
    setTextColor(list->header(), Qt::black);
    return list;
}

TClickLabel* helpLink(QWidget* parent, const char* name, QRect box, const QString& caption, TShape*& frame,
                      const char* frameName) {
    // The frame is centred on the link, as wide as two links.
    QRect frameBox(box.center().x() - 28, box.center().y() - 7, 58, 15);
    frame = shape(parent, frameName, frameBox, Qt::white, kBlue);
    frame->rounded = true;
    auto* link = place(new TClickLabel(caption, parent), name, box.x(), box.y());
    QFont f = pointFont("Tahoma", 8);
    f.setUnderline(true);
    link->setFont(f);
    // Never narrower than its caption, which a font drawn a pixel wider would cut.
    link->resize(std::max(box.width(), link->sizeHint().width()), box.height());
    setTextColor(link, kBlue);
    link->setCursor(Qt::PointingHandCursor);
    return link;
}

}  // namespace

TFrmAtualizaWeb::TFrmAtualizaWeb(QWidget* parent, ScreenHost& host, TDataWeb* dataWeb)
    : QWidget(parent), database_(std::make_unique<WebUpdateDatabase>()), host_(host), dataWeb_(dataWeb) {
    setObjectName("FrmAtualizaWeb");
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setWindowTitle(u("Tela 01"));
    setFixedSize(456, 426);
    setFont(pointFont("Tahoma", 8));
    setBackground(this, Qt::white);
    ImageList1 = updateIcons();
    createControls();
    connectHandlers();
    Timer1->start();
}

TFrmAtualizaWeb::~TFrmAtualizaWeb() { forgetInstance(FrmAtualizaWeb, this); }

void TFrmAtualizaWeb::createControls() {
    Shape1 = shape(this, "Shape1", rect(), Qt::white, kSilver);
    Shape1->filled = false;
    Label1 = label(this, "Label1", 5, -2, u("Atualização Web"));
    Label1->setFont(pointFont("Lucida Sans Unicode", 12));
    Label1->adjustSize();
    setTextColor(Label1, kRed);
    Label3 = label(this, "Label3", 388, 4, u("Tela 01"));
    createHiddenLists();
    createVersionArea();
    createPhaseArea();
    createNotices();
    createSelection();
    createServerWarning();
    BtnAtualizar = place(new QPushButton(u("&Atualizar Agora"), this), "BtnAtualizar", 298, 386);
    BtnAtualizar->resize(147, 25);
    BtnAtualizar->setFont(pointFont("Tahoma", 8, true));
    BtnAtualizar->setEnabled(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1);
}

// The add-on section lies beneath the version list or beyond the right edge:
// filled, but not seen.
void TFrmAtualizaWeb::createHiddenLists() {
    Label6 = label(this, "Label6", 118, 156, u("Atualizações Adicionais Disponíveis"));
    Label6->setFont(pointFont("Verdana", 11, true));
    Label6->adjustSize();
    setTextColor(Label6, Qt::white);
    Label8 = helpLink(this, "Label8", QRect(509, 156, 39, 13), u("?  Ajuda"), ShLabel8, "ShLabel8");
    ListAdicionais = reportList(this, "ListAdicionais", QRect(495, 172, 427, 80),
                                {u("Nome"), u("Data"), u("Descrição"), u("Nome EXE")}, {150, 85, 600, 50});
    ListAdicionais->hide();
    ListArquivos = reportList(this, "ListArquivos", QRect(485, 273, 300, 120), {u("Tipo"), u("Versão"), u("Descricao")},
                              {50, 80, 150});
    ListArquivos->hide();
}

void TFrmAtualizaWeb::createVersionArea() {
    Shape3 = shape(this, "Shape3", QRect(10, 23, 435, 236), QColor(0, 128, 192), kSilver);
    Label4 = label(this, "Label4", 132, 22, u("Atualizações Disponíveis"));
    Label4->setFont(pointFont("Verdana", 11, true));
    Label4->adjustSize();
    setTextColor(Label4, Qt::white);
    Label7 = helpLink(this, "Label7", QRect(397, 24, 36, 13), u("? Ajuda"), ShLabel7, "ShLabel7");
    ListVersao = reportList(this, "ListVersao", QRect(14, 40, 427, 215), {u("Versão"), u("Data"), u("Descrição")},
                            {70, 85, 400});
    ListVersao->setFrameShape(QFrame::NoFrame);
    ListVersao->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListVersao->setIconSize(QSize(16, 16));
    ListVersao->setItemDelegate(new TIconPlaceDelegate(ListVersao));
    setBackground(ListVersao, QColor(238, 238, 238));
    setTextColor(ListVersao, kBlue);
}

void TFrmAtualizaWeb::createPhaseArea() {
    Shape5 = shape(this, "Shape5", QRect(10, 273, 434, 53), QColor(247, 247, 247), kSilver);
    Label5 = label(this, "Label5", 14, 285, u("Fase:"));
    lblF1 = label(this, "lblF1", 60, 274, u("1. Verificando Versões"));
    LblF2 = label(this, "LblF2", 60, 286, u("2. Download dos arquivos"));
    LblF3 = label(this, "LblF3", 60, 298, u("3. Executar arquivos da Atualização"));
    for (QLabel* phase : {lblF1, LblF2, LblF3}) {
        setTextColor(phase, kGrey);
        phase->resize(380, phase->height());
    }
    Label2 = label(this, "Label2", 16, 309, u("Ação:"));
    LblAcao = label(this, "LblAcao", 52, 310, u("...."));
    LblAcao->resize(386, LblAcao->height());
    setTextColor(LblAcao, kRed);
    PnAcao = panel(this, "PnAcao", QRect(12, 330, 432, 55));
    PnAcao->hide();
}

void TFrmAtualizaWeb::createNotices() {
    PnAviso01 = panel(this, "PnAviso01", QRect(12, 346, 178, 39));
    Sh_Aviso1 = noticeFrame(PnAviso01, "Sh_Aviso1");
    Lbl_Aviso_11 = label(PnAviso01, "Lbl_Aviso_11", 10, 2, u("1º"));
    Lbl_Aviso_12 = wrappedLabel(PnAviso01, "Lbl_Aviso_12", QRect(44, 2, 121, 31), u("Selecione o tipo de atualização"),
                                pointFont("Tahoma", 10));
    // Shown when the version check ends.
    for (QWidget* part : {static_cast<QWidget*>(Sh_Aviso1), static_cast<QWidget*>(Lbl_Aviso_11),
                          static_cast<QWidget*>(Lbl_Aviso_12)})
        part->hide();

    PnAviso02 = panel(this, "PnAviso02", QRect(276, 346, 173, 39));
    Sh_Aviso2 = noticeFrame(PnAviso02, "Sh_Aviso2");
    Lbl_Aviso_21 = label(PnAviso02, "Lbl_Aviso_21", 7, 1, u("2º"));
    Lbl_Aviso_221 = wrappedLabel(PnAviso02, "Lbl_Aviso_221", QRect(47, 2, 120, 34),
                                 u("Clique no botão \"Atualizar agora\""), pointFont("Tahoma", 10));
    PnAviso02->hide();

    for (QLabel* number : {Lbl_Aviso_11, Lbl_Aviso_21}) {
        number->setFont(pointFont("Arial", 24));
        number->adjustSize();
        setTextColor(number, kRed);
    }
}

void TFrmAtualizaWeb::createSelection() {
    Shape9 = shape(this, "Shape9", QRect(10, 387, 179, 23), QColor(235, 235, 235), kGrey);
    Shape9->penWidth = 2;
    RadioButton1 = place(new TRadioButton(u("Servidor"), this), "RadioButton1", 18, 391);
    RadioButton2 = place(new TRadioButton(u("Terminal"), this), "RadioButton2", 100, 391);
    for (QRadioButton* radio : {RadioButton1, RadioButton2}) {
        radio->resize(73, 17);
        radio->setFont(pointFont("MS Sans Serif", 10));
        // The frame's grey, also where the caption is drawn on the button colour.
        setBackground(radio, Shape9->brushColor);
        setButtonFace(radio, Shape9->brushColor);
    }
}

void TFrmAtualizaWeb::createServerWarning() {
    PnMenServer = panel(this, "PnMenServer", QRect(66, 123, 325, 145));
    Shape10 = shape(PnMenServer, "Shape10", PnMenServer->rect(), QColor(255, 255, 249), kRed);
    Shape10->penStyle = Qt::DashDotDotLine;
    Shape10->penWidth = 3;
    Label10 = label(PnMenServer, "Label10", 8, 5, u("Atualização do Servidor"));
    Label10->setFont(pointFont("Tahoma", 13, true));
    Label10->adjustSize();
    setTextColor(Label10, kRed);
    Label9 = wrappedLabel(PnMenServer, "Label9", QRect(6, 31, 309, 75),
                          u("Atenção! Para este tipo de atualização é necessário que os terminais fiquem com o "
                            "sistema de trevalmonte fechado até a conclusão da atualização do Servidor."),
                          pointFont("Tahoma", 10));
    BitBtn1 = place(new QPushButton(u("&Continuar a Atualização do Servidor"), PnMenServer), "BitBtn1", 49, 107);
    BitBtn1->resize(226, 28);
    BitBtn1->setFont(pointFont("Tahoma", 8, true));
    PnMenServer->hide();
}

void TFrmAtualizaWeb::connectHandlers() {
    connect(Timer1, &QTimer::timeout, this, Application::guardedSlot([this] { Timer1Timer(); }));
    connect(RadioButton1, &QRadioButton::toggled, this, Application::guardedSlot([this](bool checked) {
                if (checked) RadioButton1Click();
            }));
    connect(RadioButton2, &QRadioButton::toggled, this, Application::guardedSlot([this](bool checked) {
                if (checked) RadioButton2Click();
            }));
    connect(BitBtn1, &QPushButton::clicked, this, Application::guardedSlot([this] { BitBtn1Click(); }));
    connect(BtnAtualizar, &QPushButton::clicked, this, Application::guardedSlot([this] { BtnAtualizarClick(); }));
    connect(Label7, &TClickLabel::clicked, this, Application::guardedSlot([this] { Label7Click(); }));
    connect(Label8, &TClickLabel::clicked, this, Application::guardedSlot([this] { Label8Click(); }));
}

// Showing the screen again while it is visible does not run FormShow.
void TFrmAtualizaWeb::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) Application::guarded([this] { FormShow(); });
}

void TFrmAtualizaWeb::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Application::guarded([this] { FormClose(); });
}

}  // namespace trev
