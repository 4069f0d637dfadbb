// SPDX-License-Identifier: GPL-3.0-or-later
// The object images shown by the list: a picture cut into object-sized
// images from left to right.
#pragma once

#include <QPixmap>
#include <QSize>

#include <vector>

class QImage;

class ImageList {
public:
    // An empty list of images of imageSize.
    explicit ImageList(QSize imageSize) : imageSize_(imageSize) {}

    // Cuts picture into image-wide slices from the left and appends them; a
    // slice that would reach past the right edge is left out.
    void Add(const QImage& picture);

    QSize ImageSize() const { return imageSize_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Image k, or a null pixmap when there is no such image.
    QPixmap Image(int k) const;

private:
    QSize imageSize_;
    std::vector<QPixmap> images_;
};
