// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/image_list.h"

#include <QImage>

#include <algorithm>

void ImageList::Add(const QImage& picture) {
    if (picture.isNull() || imageSize_.width() <= 0 || imageSize_.height() <= 0) {
        return;
    }
    const int count = picture.width() / imageSize_.width();
    // Rows below the picture would only be blank: never cut more than it has,
    // whatever height a file asks for.
    const int height = std::min(imageSize_.height(), picture.height());
    images_.reserve(images_.size() + static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        images_.push_back(QPixmap::fromImage(picture.copy(k * imageSize_.width(), 0, imageSize_.width(), height)));
    }
}

QPixmap ImageList::Image(int k) const {
    if (k < 0 || k >= Count()) {
        return QPixmap();
    }
    return images_[static_cast<std::size_t>(k)];
}
