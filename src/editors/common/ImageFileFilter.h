#pragma once

#include <QString>

// The file chooser filter of every command that loads a picture.
inline const QString kImageFileFilter = QStringLiteral(
    "Tutti i formati supportati (*.bmp *.jpg *.gif);;Files Bitmap (*.bmp);;Files Jpeg (*.jpg);;Files Gif (*.gif)");
