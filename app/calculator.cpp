// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <variant>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QWindow>

#include "accessibility.h"
#include "colours.h"
#include "controls.h"
#include "field.h"
#include "fieldnote.h"
#include "fontfit.h"
#include "layout.h"
#include "qtmessages.h"
#ifdef Q_OS_WIN
#include "windowsdesktop.h"
#endif
#include "windowicon.h"

namespace {

// A table by field, from pairs in any order: a field left out or given twice
// is no constant expression.
template<typename T>
constexpr std::array<T, layout::fieldCount> byField(const std::array<std::pair<layout::FieldId, T>, layout::fieldCount> &pairs)
{
    std::array<T, layout::fieldCount> table{};
    std::array<bool, layout::fieldCount> given{};
    for (const auto &[id, value] : pairs) {
        if (given[std::size_t(id)])
            throw "a field given twice";
        given[std::size_t(id)] = true;
        table[std::size_t(id)] = value;
    }
    return table;
}

} // namespace

Calculator::Calculator(QWidget *parent)
    : QWidget(parent)
{
    using enum layout::FieldId;
    static constexpr auto lostFocus = byField<void (Calculator::*)()>({{
        {Text1, &Calculator::Text1_LostFocus},   {Text2, &Calculator::Text2_LostFocus},
        {Text3, &Calculator::Text3_LostFocus},   {Text4, &Calculator::Text4_LostFocus},
        {Text5, &Calculator::Text5_LostFocus},   {Text6, &Calculator::Text6_LostFocus},
        {Text7, &Calculator::Text7_LostFocus},   {Text8, &Calculator::Text8_LostFocus},
        {Text9, &Calculator::Text9_LostFocus},   {Text10, &Calculator::Text10_LostFocus},
        {Text11, &Calculator::Text11_LostFocus}, {Text24, &Calculator::Text24_LostFocus},
        {Text12, &Calculator::Text12_LostFocus}, {Text13, &Calculator::Text13_LostFocus},
        {Text14, &Calculator::Text14_LostFocus}, {Text15, &Calculator::Text15_LostFocus},
        {Text16, &Calculator::Text16_LostFocus}, {Text17, &Calculator::Text17_LostFocus},
        {Text18, &Calculator::Text18_LostFocus}, {Text19, &Calculator::Text19_LostFocus},
        {Text20, &Calculator::Text20_LostFocus}, {Text21, &Calculator::Text21_LostFocus},
        {Text22, &Calculator::Text22_LostFocus}, {Text23, &Calculator::Text23_LostFocus},
    }});

    accessibility::install();
    setWindowTitle(QStringLiteral("Velmarin"));
    // Its captions are German: left to right, whatever language Qt's own
    // texts come in.
    setLayoutDirection(Qt::LeftToRight);
    // A fixed size: no sizing border, and no Size in the window menu, on Windows.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QIcon icon;
    for (const windowicon::Image &image : windowicon::images) {
        icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(image.argb), image.size,
                                                 image.size, QImage::Format_ARGB32)));
    }
    setWindowIcon(icon);

    m_qtMessages = new QtMessages(this);
#ifdef Q_OS_WIN
    m_windowsDesktop = new WindowsDesktop(this);
#endif
    m_controls = makeControls(this);
    for (std::size_t i = 0; i < layout::fieldCount; ++i) {
        const auto handler = lostFocus[i];
        connect(m_controls.fields[i], &Field::left, this, [this, handler] {
            (this->*handler)();
            accessibility::restateCaretOnceFocused();
        });
        connect(m_controls.fields[i], &Field::refusalWithdrawn, this, [this] { updateNote(true); });
    }
    // A window, not a dialog: Enter in a field must not press the button,
    // nor on the button itself, where some desktops' themes (GNOME's) count
    // it among the keys that press one. Space does.
    m_controls.close->setAutoDefault(false);
    m_controls.close->setDefault(false);
    m_controls.close->installEventFilter(this);
    connect(m_controls.close, &QPushButton::clicked, this, &Calculator::Close_Click);
    followDesktop();
}

void Calculator::followDesktop()
{
    m_following = true;
#ifdef Q_OS_WIN
    m_windowsDesktop->followColourScheme();
#endif
    const numtext::Format format = numtext::Format::fromLocale(QLocale());
    const bool newFormat = format != m_format;
    m_format = format;
    m_qtMessages->follow(QLocale());

    m_screen = screen();
    m_frame = frameAround();
    const QRect available = m_screen->availableGeometry();
    const QSize room = available.size().shrunkBy(m_frame).expandedTo(QSize(1, 1));
    const QFont desktop = QApplication::font(this);
    const qreal dpi = m_screen->logicalDotsPerInch();
    const QSize fitted = layout::clientSize(m_fit.placement);
    const bool sameFit = desktop == m_fitFor.font && dpi == m_fitFor.dpi
        && (room == m_fitFor.room || (!m_fit.bounded && fitted.width() <= room.width() && fitted.height() <= room.height()));
    if (!sameFit) {
        m_fit = fontfit::fit(desktop, style(), room);
        m_fitFor = {desktop, dpi, room};
        if (!m_fit.found && !std::exchange(m_toldNoFit, true)) {
            std::fprintf(stderr, "velmarin: the screen (%d x %d pixels free) is too small for the window even at %g "
                                 "points: some captions are cut short\n",
                         available.width(), available.height(), m_fit.font.pointSizeF());
            std::fflush(stderr);
        }
    }
    setFont(m_fit.font);
    keepSize();
    place();

    colours::colourSubHeadings(this);
    for (Field *field : m_controls.fields) {
        field->setFormat(m_format);
        field->tint();
    }
    if (m_note)
        updateNote(newFormat);
    // Its frame inside its screen's room, wherever it was.
    if (m_placed && isVisible()) {
        QRect frame = geometry().marginsAdded(m_frame);
        frame.moveRight(std::min(frame.right(), available.right()));
        frame.moveBottom(std::min(frame.bottom(), available.bottom()));
        frame.moveLeft(std::max(frame.left(), available.left()));
        frame.moveTop(std::max(frame.top(), available.top()));
        if (frame.topLeft() != frameGeometry().topLeft())
            move(frame.topLeft());
    }
    m_following = false;
}

QMargins Calculator::frameAround() const
{
    // Wine tells a frame 1 px inside the window on three sides.
    if (const QWindow *window = windowHandle(); window && !window->frameMargins().isNull())
        return window->frameMargins() | QMargins();
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.fontMetrics = QFontMetrics(QApplication::font(this));
    option.titleBarFlags = windowFlags();
    return {0, style()->pixelMetric(QStyle::PM_TitleBarHeight, &option), 0, 0};
}

void Calculator::keepSize()
{
    const QSize client = layout::clientSize(m_fit.placement);
    if (m_imposed) {
        setMinimumSize(client);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(client);
    }
}

void Calculator::place()
{
    layout::Placement &at = m_fit.placement;
    const QSize client = layout::clientSize(at);
    at.origin = QPoint(std::max(0, (width() - client.width()) / 2), std::max(0, (height() - client.height()) / 2));
    placeControls(m_controls, at, fontfit::hintText(m_fit.hintBreak));
    if (m_note)
        m_note->place(at);
}

void Calculator::Faktoren()
{
    m_lengthFactors = convert::factorsOf(convert::lengths);
}

void Calculator::Gewichte()
{
    m_massFactors = convert::factorsOf(convert::masses);
}

numtext::Error Calculator::LaengenUpdaten(const convert::Base &Val1)
{
    return writeGroup(layout::lengthFields, convert::fanOut(m_lengthFactors, Val1, m_format));
}

numtext::Error Calculator::GewichteUpdaten(const convert::Base &Val1)
{
    return writeGroup(layout::massFields, convert::fanOut(m_massFactors, Val1, m_format));
}

void Calculator::Close_Click()
{
    AlleFormulareEntladen();
}

void Calculator::Text1_LostFocus() { leave(layout::FieldId::Text1); }
void Calculator::Text2_LostFocus() { leave(layout::FieldId::Text2); }
void Calculator::Text3_LostFocus() { leave(layout::FieldId::Text3); }
void Calculator::Text4_LostFocus() { leave(layout::FieldId::Text4); }
void Calculator::Text5_LostFocus() { leave(layout::FieldId::Text5); }
void Calculator::Text6_LostFocus() { leave(layout::FieldId::Text6); }
void Calculator::Text7_LostFocus() { leave(layout::FieldId::Text7); }
void Calculator::Text8_LostFocus() { leave(layout::FieldId::Text8); }
void Calculator::Text9_LostFocus() { leave(layout::FieldId::Text9); }
void Calculator::Text10_LostFocus() { leave(layout::FieldId::Text10); }
void Calculator::Text11_LostFocus() { leave(layout::FieldId::Text11); }
void Calculator::Text24_LostFocus() { leave(layout::FieldId::Text24); }
void Calculator::Text12_LostFocus() { leave(layout::FieldId::Text12); }
void Calculator::Text13_LostFocus() { leave(layout::FieldId::Text13); }
void Calculator::Text14_LostFocus() { leave(layout::FieldId::Text14); }
void Calculator::Text15_LostFocus() { leave(layout::FieldId::Text15); }
void Calculator::Text16_LostFocus() { leave(layout::FieldId::Text16); }
void Calculator::Text17_LostFocus() { leave(layout::FieldId::Text17); }
void Calculator::Text18_LostFocus() { leave(layout::FieldId::Text18); }
void Calculator::Text19_LostFocus() { leave(layout::FieldId::Text19); }
void Calculator::Text20_LostFocus() { leave(layout::FieldId::Text20); }
void Calculator::Text21_LostFocus() { leave(layout::FieldId::Text21); }
void Calculator::Text22_LostFocus() { leave(layout::FieldId::Text22); }
void Calculator::Text23_LostFocus() { leave(layout::FieldId::Text23); }

void Calculator::AlleFormulareEntladen()
{
    QApplication::closeAllWindows();
}

bool Calculator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool Calculator::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
        // A new style needs a new fit, even under a proxy style that keeps
        // its name (qt6ct's).
        m_fitFor = {};
        followSoon();
        break;
    case QEvent::ApplicationFontChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::PaletteChange:
    case QEvent::ThemeChange:
    case QEvent::LocaleChange:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        followSoon();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

// A desktop's change comes as several events and signals at once: followed
// once, after the last of them.
void Calculator::followSoon()
{
    if (m_following)
        return;
    m_following = true;
    QMetaObject::invokeMethod(this, &Calculator::followDesktop, Qt::QueuedConnection);
}

void Calculator::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    QWindow *window = windowHandle();
    watchScreen(window->screen());
    connect(window, &QWindow::screenChanged, this, [this](QScreen *screen) {
        watchScreen(screen);
        followSoon();
    });
    // A platform that maximises a window or fills the screen with it must
    // get a window of the size it asks for, or it ends the connection
    // (Wayland). It asks right after the window does (Qt's own title bar),
    // so the window takes any size from the moment it asks.
    connect(window, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
        if (state == Qt::WindowMaximized || state == Qt::WindowFullScreen) {
            m_imposed = true;
            keepSize();
        }
    });
    // Where the platform knows the frame or the screen by now (Windows),
    // the window takes them before it is shown.
    if (frameAround() != m_frame || window->screen() != m_screen)
        followDesktop();
    // Its frame centred, title bar included.
    QRect frame = geometry().marginsAdded(m_frame);
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

// A window manager tells the frame once it has framed the window, and moves
// the window as it does.
void Calculator::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (m_placed && frameAround() != m_frame)
        followSoon();
}

void Calculator::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

// The platform's word on the window's state: until it says the window is
// normal again, the size it gave stands.
void Calculator::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && event->spontaneous()) {
        m_imposed = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
        keepSize();
    }
}

void Calculator::watchScreen(QScreen *screen)
{
    for (const QMetaObject::Connection &connection : std::as_const(m_screenWatch))
        disconnect(connection);
    m_screenWatch.clear();
    if (!screen)
        return;
    // A screen's logical DPI (X11's Xft.dpi), its size, its scale and the
    // room panels leave on it change without an event to the widgets.
    for (const auto signal : {&QScreen::availableGeometryChanged, &QScreen::geometryChanged})
        m_screenWatch << connect(screen, signal, this, &Calculator::followSoon);
    m_screenWatch << connect(screen, &QScreen::logicalDotsPerInchChanged, this, &Calculator::followSoon);
}

void Calculator::leave(layout::FieldId id)
{
    const layout::Unit &unit = layout::fieldRow(id).unit;
    const auto *length = std::get_if<convert::Length>(&unit);
    const auto *mass = std::get_if<convert::Mass>(&unit);
    if (length)
        Faktoren();
    if (mass)
        Gewichte();
    Field *from = field(id);
    const QString text = from->text();
    if (text.isEmpty())
        return;
    if (const auto *scale = std::get_if<convert::Temperature>(&unit)) {
        const numtext::Result result = convert::otherScale(*scale, text, m_format);
        if (result) {
            const auto other = layout::temperatureFields[*scale == convert::Temperature::Celsius ? 1 : 0];
            field(other)->showFigure(numtext::render(result.value, m_format));
        }
        report(from, result.error);
        return;
    }
    const convert::BaseValue base = length ? convert::toBase(convert::lengths[std::size_t(*length)], text, m_format)
                                           : convert::toBase(convert::masses[std::size_t(*mass)], text, m_format);
    report(from, !base ? base.error : length ? LaengenUpdaten(base.value) : GewichteUpdaten(base.value));
}

numtext::Error Calculator::writeGroup(std::span<const layout::FieldId> ids, const convert::Figures &figures)
{
    if (!figures)
        return figures.error;
    for (std::size_t i = 0; i < ids.size(); ++i)
        field(ids[i])->showFigure(figures.value[qsizetype(i)].text, figures.value[qsizetype(i)].unrounded);
    return numtext::Error::None;
}

void Calculator::report(Field *field, numtext::Error error)
{
    field->setRefusal(error, ++m_refusals);
    if (error != numtext::Error::None)
        updateNote(true);
}

void Calculator::updateNote(bool announce)
{
    const Field *latest = nullptr;
    for (const Field *field : m_controls.fields) {
        if (field->refusal() != numtext::Error::None && (!latest || field->refusalOrder() > latest->refusalOrder()))
            latest = field;
    }
    if (!latest) {
        if (m_note)
            m_note->hide();
        return;
    }
    if (!m_note) {
        m_note = new FieldNote(this);
        m_note->place(m_fit.placement);
    }
    const QString text = latest->unit() + QStringLiteral(":\n") + latest->note();
    if (announce || text != m_note->text())
        m_note->tell(text);
}
