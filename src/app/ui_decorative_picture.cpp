#include "app/ui_decorative_picture.h"

#include "app/jpeg_decoder.h"
#include "app/picture_data.h"

namespace trev {

QImage decorativePicture() {
    RgbBitmap bitmap = decodeJpeg(kDecorativePictureJpeg, kDecorativePictureJpegSize);
    QImage image(bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width * 3, QImage::Format_RGB888);
    return image.copy();  // the bitmap's memory ends with this function
}

}  // namespace trev
