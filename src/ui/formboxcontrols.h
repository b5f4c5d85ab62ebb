#pragma once

#include "model/formbox.h"

#include <QString>

#include <stdexcept>

// The object name of the control of each box of the forms that the core names. Header only, so that
// the core's scripted services record the same names as the window.
struct FormBoxControl {
    FormBox box;
    const char *name;
};

inline constexpr FormBoxControl formBoxControls[] = {
    {FormBox::Obvod, "eOBVOD"}, {FormBox::Obec, "eOBEC"}, {FormBox::Okrsok, "eOKRSOK"},
    {FormBox::Pozzv, "ePOZZV"}, {FormBox::Pvo, "ePVO"},   {FormBox::PooPosta, "ePOO_POSTA"},
    {FormBox::Poo, "ePOO"},     {FormBox::Pphs, "ePPHS"}, {FormBox::Vph, "pVPH"},
};

inline QString formBoxControl(FormBox box) {
    for (const FormBoxControl &control : formBoxControls)
        if (control.box == box)
            return QString::fromLatin1(control.name);
    throw std::invalid_argument("a box without a control");
}

// The box of the control of that name; std::invalid_argument for a control that is no such box.
inline FormBox formBoxOf(const QString &control) {
    for (const FormBoxControl &c : formBoxControls)
        if (control == QLatin1String(c.name))
            return c.box;
    throw std::invalid_argument("not a box of the forms: " + control.toStdString());
}
