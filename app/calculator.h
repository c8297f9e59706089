// SPDX-License-Identifier: GPL-3.0-or-later
// Velmarin's one window. It owns the 56 controls and the two factor tables;
// each handler reads the field that was left, hands its text to a converter
// and writes what comes back. The numbers themselves live in convert/ and
// numtext/, which know nothing of widgets; how the window looks and speaks
// lives beside it in app/: controls (built from layout), fontfit, colours,
// lineedit, field, fieldnote, refusals and accessibility.
#pragma once

#include <array>
#include <span>

#include <QList>
#include <QMargins>
#include <QWidget>

#include "controls.h"
#include "converter.h"
#include "fieldid.h"
#include "fontfit.h"

QT_BEGIN_NAMESPACE
class QScreen;
QT_END_NAMESPACE

class Field;
class FieldNote;
class QtMessages;
class WindowsDesktop;

class Calculator : public QWidget
{
    Q_OBJECT

public:
    explicit Calculator(QWidget *parent = nullptr);

    // Fills the length factor table, units per centimetre.
    void Faktoren();
    // Fills the mass factor table, units per kilogram.
    void Gewichte();
    // Write every field of the group from Val1, or none of them: the error
    // comes back to the handler, which shows it at the field that was left.
    numtext::Error LaengenUpdaten(const convert::Base &Val1);
    numtext::Error GewichteUpdaten(const convert::Base &Val1);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Close_Click();
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text4_LostFocus();
    void Text5_LostFocus();
    void Text6_LostFocus();
    void Text7_LostFocus();
    void Text8_LostFocus();
    void Text9_LostFocus();
    void Text10_LostFocus();
    void Text11_LostFocus();
    void Text24_LostFocus();
    void Text12_LostFocus();
    void Text13_LostFocus();
    void Text14_LostFocus();
    void Text15_LostFocus();
    void Text16_LostFocus();
    void Text17_LostFocus();
    void Text18_LostFocus();
    void Text19_LostFocus();
    void Text20_LostFocus();
    void Text21_LostFocus();
    void Text22_LostFocus();
    void Text23_LostFocus();
    void AlleFormulareEntladen();

    // The window as a fresh start on the desktop as it is now would show it,
    // with what the user has kept: its numbers' format, font, size, places
    // and colours, inside the room its screen gives it. The start is the
    // first time; every change of the desktop (style, palette, font,
    // screen, the screen's room or scale, the window's frame, locale) is
    // another.
    void followDesktop();
    // Follows the desktop once the events of its change are all in.
    void followSoon();
    // Follows the screen the window stands on, and that screen's changes.
    void watchScreen(QScreen *screen);
    // The frame round the window: as the platform tells it, or until it
    // knows it, a title bar as the style draws one.
    QMargins frameAround() const;
    // The size the window keeps: fixed, or where the platform may impose one
    // (maximised, full screen), at least the layout's.
    void keepSize();
    // The controls at their places, the layout centred in a window larger than it.
    void place();
    // Converts from the field that was left, whichever its unit.
    void leave(layout::FieldId id);
    // Writes a group's figures into its fields, or none: the error otherwise.
    numtext::Error writeGroup(std::span<const layout::FieldId> ids, const convert::Figures &figures);
    void report(Field *field, numtext::Error error);
    // Shows the latest refusal that still stands, or hides the note.
    void updateNote(bool announce);
    Field *field(layout::FieldId id) const { return m_controls.fields[std::size_t(id)]; }

    numtext::Format m_format;
    // The desktop's font fitted to the room the screen gives, and what it
    // was fitted for: a fit for the same stands.
    fontfit::Fit m_fit;
    struct {
        QFont font;
        qreal dpi = 0;
        QSize room;
    } m_fitFor;
    QMargins m_frame;            // round the window, as the fit took it
    QScreen *m_screen = nullptr; // the one the fit took the room of
    QList<QMetaObject::Connection> m_screenWatch;
    bool m_imposed = false;      // the platform may give the window a size of its choosing
    bool m_following = false;    // a change of the desktop is being followed, or is due
    bool m_placed = false;       // centred on its first show
    bool m_toldNoFit = false;    // said once that nothing fits the screen
    quint64 m_refusals = 0;      // how many refusals there have been: their order
    FieldNote *m_note = nullptr; // made at the first refusal
    QtMessages *m_qtMessages = nullptr;
#ifdef Q_OS_WIN
    WindowsDesktop *m_windowsDesktop = nullptr;
#endif
    Controls m_controls;
    std::array<double, convert::lengths.size()> m_lengthFactors{};
    std::array<double, convert::masses.size()> m_massFactors{};
};
