#pragma once
// Files the kivnvm tests feed to the commands.

#include <QByteArray>

QByteArray Word(quint32 value);
// A plain program: format word, name field, then the given body.
QByteArray PlainProgram(quint32 tag, const QByteArray& name, int length);
// A UFIF 2.0 image with one of each word the conversion treats.
QByteArray ConvertibleImage();
