#pragma once
// The 148 icon pictures of 12 x 12 pixels, by picture index (the icon list's and the grid's).

#include <QPixmap>
#include <QVector>

// Cut once from the picture strip in the resources; needs a QGuiApplication.
const QVector<QPixmap>& IconPictures();
