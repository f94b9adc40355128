#pragma once

#include <QString>

#include <array>

namespace quorra {

// The picture paths the user chose: the files the service needs besides the page.
struct PictureFields {
    QString logo;
    QString picture1;
    QString picture2;
    std::array<QString, 5> products;
};

// The text of the despatch list: the files to send, one per line after a label of 18
// characters, lines joined by CR LF and no line end after the last. The paths are
// trimmed of blanks; empty ones leave their label alone on the line.
QString despatchList(const QString& pageFile, const PictureFields& pictures);

} // namespace quorra
