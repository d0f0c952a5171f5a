#include "platform/file_stream.h"

#include "platform/codepage.h"
#include "platform/disk_space.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "platform/text_util.h"

#include <algorithm>

namespace trev {
namespace {

std::string megabytes(int64_t bytes) { return std::to_string((bytes + (int64_t{1} << 20) - 1) >> 20) + " MB"; }

FileError tooLarge(const std::string& windowsPath, int64_t limit) {
    return FileError(ioError::diskFull, "O arquivo \"" + shownValue(windowsPath) + "\" passa do limite de " +
                                            megabytes(limit) + utf8ToCp1252("; o download foi interrompido."));
}

FileError belowFloor(const std::string& windowsPath, int64_t floor) {
    return FileError(ioError::diskFull, utf8ToCp1252("Espaço insuficiente no disco para \"") +
                                            shownValue(windowsPath) +
                                            "\": o download foi interrompido para deixar ao menos " +
                                            megabytes(floor) + " livres.");
}

}  // namespace

void FileStream::write(const char* data, size_t size) {
    if (abandoned_ || fd_ < 0) throw fileErrorFromCode(ioError::fileNotOpen);
    makeRoomFor(position_ + static_cast<int64_t>(size));
    writeAt(data, size);
}

int64_t FileStream::size() const {
    if (abandoned_) return 0;
    if (fd_ < 0) throw fileErrorFromCode(ioError::fileNotOpen);
    return currentSize();
}

void FileStream::setSize(int64_t size) {
    if (abandoned_) return;  // nothing is left to cut
    if (fd_ < 0) throw fileErrorFromCode(ioError::fileNotOpen);
    if (size > currentSize()) makeRoomFor(size);
    resize(size);
    if (position_ > size) position_ = size;
}

// What the file will still take from the volume is its end to be, less what it holds already
// (a file grown by setSize may hold nothing yet on a file system that allocates on write).
void FileStream::makeRoomFor(int64_t newEnd) {
    if (sizeLimit_ != kNoSizeLimit && newEnd > sizeLimit_) abandon(tooLarge(windowsPath_, sizeLimit_));
    if (newEnd <= roomUpTo_) return;
    const VolumeSpace space = volumeSpaceOf(windowsPath_);
    const int64_t floor = freeSpaceFloor(space.total);
    const int64_t end = std::max(newEnd, currentSize());
    const int64_t stillTaken = std::max<int64_t>(0, end - allocatedBytes());
    const int64_t spare = space.available - floor - stillTaken;
    if (spare < 0) abandon(belowFloor(windowsPath_, floor));
    roomUpTo_ = std::min(position_ + kSpaceCheckInterval, end + spare);
}

void FileStream::abandon(const FileError& reason) {
    closeHandle();
    abandoned_ = true;
    position_ = 0;
    deleteFile(windowsPath_);
    throw reason;
}

}  // namespace trev
