#pragma once
#include <QByteArray>
#include <QImage>

// Decodes a JPEG with libjpeg, at full size, into 24-bit colour (QImage::Format_RGB888).
// Throws std::runtime_error with libjpeg's message when the data is no JPEG or is damaged.
QImage DecodeJpeg(const QByteArray& donnees);
