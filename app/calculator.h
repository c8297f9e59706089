// SPDX-License-Identifier: GPL-3.0-or-later
// Velmarin's one window. It owns the 56 controls and the two factor tables;
// each handler reads the field that was left, hands its text to a converter
// and writes what comes back. The numbers themselves live in convert/ and
// numtext/, which know nothing of widgets.
#pragma once

#include <array>

#include <QAccessible>
#include <QWidget>

#include "converter.h"

QT_BEGIN_NAMESPACE
class QLineEdit;
QT_END_NAMESPACE
class FieldNote;

class Calculator : public QWidget, private QAccessible::ActivationObserver
{
    Q_OBJECT

public:
    explicit Calculator(QWidget *parent = nullptr);
    ~Calculator() override;

    void Faktoren();
    void Gewichte();
    // Write every field of the group from Val1, or none of them: the error
    // comes back to the handler, which shows it at the field that was left.
    numtext::Error LaengenUpdaten(const convert::Base &Val1);
    numtext::Error GewichteUpdaten(const convert::Base &Val1);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void accessibilityActiveChanged(bool active) override;
    void nameAmbiguousFields();

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

    using Converter = numtext::Result (*)(QStringView, numtext::Format);
    void leaveTemperature(QLineEdit *from, QLineEdit *to, Converter convert);
    void leaveLength(convert::Length unit);
    void leaveMass(convert::Mass unit);
    void leaveGroup(QLineEdit *field, const convert::Unit &unit,
                    numtext::Error (Calculator::*update)(const convert::Base &));
    template<std::size_t N>
    numtext::Error writeGroup(const std::array<QLineEdit *, N> &fields, const std::array<double, N> &factors,
                              const convert::Base &base);
    void setFieldText(QLineEdit *field, const QString &text, const QString &unrounded = {});
    void fieldEdited(QLineEdit *field);
    void report(QLineEdit *field, numtext::Error error);
    void describe(QLineEdit *field);
    std::size_t indexOf(const QLineEdit *field) const;
    QLineEdit *field(int number) const { return m_fields[number - 1]; }

    numtext::Format m_format;
    double m_scale = 1.0; // the window's twips grown to fit the desktop's font
    FieldNote *m_note = nullptr; // made at the first message
    std::array<QLineEdit *, 24> m_fields{};   // Text1 ... Text24
    std::array<QString, 24> m_unrounded;      // the value behind a field's rounded figure, if it differs
    std::array<QLineEdit *, 8> m_lengthFields{}; // in the order of convert::lengths
    std::array<QLineEdit *, 14> m_massFields{};  // in the order of convert::masses
    std::array<double, 8> m_laengenFaktoren{};
    std::array<double, 14> m_gewichtsFaktoren{};
};
