#pragma once

#include "model/formbox.h"

#include <QString>

// The object name of the control of each box that a check sends the user back to. Header only, so that
// the core's scripted services record the same names as the window.
inline QString formBoxControl(FormBox box) {
    switch (box) {
    case FormBox::Obvod:
        return QStringLiteral("eOBVOD");
    case FormBox::Obec:
        return QStringLiteral("eOBEC");
    case FormBox::Okrsok:
        return QStringLiteral("eOKRSOK");
    }
    return QString();
}
