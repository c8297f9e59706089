// SPDX-License-Identifier: GPL-3.0-or-later
// Velmarin's one window. It owns the 56 controls and the two factor tables;
// each handler reads the field that was left, hands its text to a converter
// and writes what comes back. The numbers themselves live in convert/ and
// numtext/, which know nothing of widgets; how the window looks and speaks
// lives beside it in app/: controls (built from layout), fontfit, colours,
// lineedit, field, fieldnote, refusals, accessibility and normalstate.
#pragma once

#include <array>
#include <span>

#include <QWidget>

#include "controls.h"
#include "converter.h"
#include "fieldid.h"

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
    // and colours. The start is the first time; every change of the desktop
    // (style, palette, font, screen, locale) is another.
    void followDesktop();
    // Follows the desktop once the events of its change are all in.
    void followSoon();
    // Converts from the field that was left, whichever its unit.
    void leave(layout::FieldId id);
    // Writes a group's figures into its fields, or none: the error otherwise.
    numtext::Error writeGroup(std::span<const layout::FieldId> ids, const convert::Figures &figures);
    void report(Field *field, numtext::Error error);
    // Shows the latest refusal that still stands, or hides the note.
    void updateNote(bool announce);
    Field *field(layout::FieldId id) const { return m_controls.fields[std::size_t(id)]; }

    numtext::Format m_format;
    double m_scale = 1.0;        // the window's twips grown to fit the desktop's font
    int m_drop = 0;              // pixels the frames' contents stand lower, clear of the style's frame lines
    bool m_following = false;    // a change of the desktop is being followed, or is due
    bool m_placed = false;       // centred on its first show
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
