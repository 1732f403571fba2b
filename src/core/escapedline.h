#pragma once

#include <QString>
#include <QStringView>

// How long a service's name, and a feed's text (a description, an incident's title or
// stage), may run in a line of output before it is cut.
inline constexpr qsizetype kNameLength = 80;
inline constexpr qsizetype kTextLength = 200;

// Text from outside made fit for one line of a terminal, a log or a status bar. Control
// characters (C0, DEL and C1), the line and paragraph separators and the bidirectional
// controls become visible escapes ("\n", "\t", "\x1b", "\u202e"), so that the text can
// neither drive the terminal, nor break the line, nor turn the rest of it around. Past
// `maxLength` characters (negative: no limit) it is cut, between escapes and never inside
// a surrogate pair, and ends with "…". Escaping twice changes nothing more.
QString escapedLine(QStringView text, qsizetype maxLength = -1);
