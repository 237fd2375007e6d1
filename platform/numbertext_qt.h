#pragma once

#include "text/numbertext.h"

#include <QString>

// The number conversions on the texts of captions and text boxes.
namespace gridlore {

inline double textToNumber(const QString &text)
{
    return textToNumber(std::string_view(text.toStdString()));
}

inline QString numberToQString(double value)
{
    return QString::fromStdString(numberToText(value));
}

} // namespace gridlore
