#include "print/bitmap/DibFile.h"

#include "files/FileWriter.h"
#include "files/SafeFile.h"
#include "print/bitmap/DibBytes.h"
#include "print/bitmap/DibInfoBlock.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran {

namespace {

// Header, masks and a full colour table take little more than 1 KiB; the room above that is for
// files that leave a gap before the pixels.
constexpr size_t kMaxInfoBlockBytes = size_t(1) << 20;
constexpr uint64_t kUnknownLength = std::numeric_limits<uint64_t>::max();

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to count bytes into dest and returns how many arrived.
    virtual size_t Read(uint8_t* dest, size_t count) = 0;
    // Bytes still to come, or kUnknownLength.
    [[nodiscard]] virtual uint64_t Remaining() const = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* data, size_t size) : m_pData(data), m_nSize(data ? size : 0) {}
    size_t Read(uint8_t* dest, size_t count) override
    {
        const size_t n = std::min(count, m_nSize - m_nPos);
        if (n != 0)
            std::memcpy(dest, m_pData + m_nPos, n);
        m_nPos += n;
        return n;
    }
    [[nodiscard]] uint64_t Remaining() const override { return m_nSize - m_nPos; }

private:
    const uint8_t* m_pData = nullptr;
    size_t m_nSize = 0;
    size_t m_nPos = 0;
};

class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& fileName)
    {
        // Non-blocking, and only a regular file is read: a pipe or a device left under the name
        // must not hold the open or the reads forever.
        m_nFd = OpenRegularFile(fileName);
        if (m_nFd < 0)
            return;
        struct stat info {};
        if (::fstat(m_nFd, &info) != 0 || info.st_size < 0) {
            ::close(m_nFd);
            m_nFd = -1;
            return;
        }
        m_nRemaining = static_cast<uint64_t>(info.st_size);
        (void)::posix_fadvise(m_nFd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    ~FileSource() override
    {
        if (m_nFd >= 0)
            ::close(m_nFd);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_nFd >= 0; }

    size_t Read(uint8_t* dest, size_t count) override
    {
        size_t done = 0;
        while (done < count) {
            const ssize_t n = ::read(m_nFd, dest + done, count - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        if (m_nRemaining != kUnknownLength)
            m_nRemaining -= std::min<uint64_t>(m_nRemaining, done);
        return done;
    }
    [[nodiscard]] uint64_t Remaining() const override { return m_nRemaining; }

private:
    int m_nFd = -1;
    uint64_t m_nRemaining = kUnknownLength;
};

DibImagePtr ReadDib(ByteSource& source)
{
    uint8_t fileHeader[kDibFileHeaderBytes];
    if (source.Read(fileHeader, sizeof fileHeader) != sizeof fileHeader)
        return nullptr;
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M')
        return nullptr;
    const uint32_t fileSize = dibbytes::ReadU32(fileHeader + 2);
    const uint32_t pixelOffset = dibbytes::ReadU32(fileHeader + 10);
    if (pixelOffset < kDibFileHeaderBytes + kDibCoreHeaderBytes || fileSize < pixelOffset)
        return nullptr;

    // Nothing is allocated for more than the source can still deliver.
    const size_t infoBytes = pixelOffset - kDibFileHeaderBytes;
    if (infoBytes > kMaxInfoBlockBytes || infoBytes > source.Remaining())
        return nullptr;
    std::vector<uint8_t> info(infoBytes);
    if (source.Read(info.data(), infoBytes) != infoBytes)
        return nullptr;
    const std::optional<DibInfoLayout> layout = DibParseInfoBlock(info.data(), info.size());
    if (!layout)
        return nullptr;

    // The pixel bytes must fill the picture exactly: more would run past the buffer, fewer means a
    // damaged file whose missing rows would print blank. So the buffer is never larger than what
    // the file itself holds.
    const size_t announced = fileSize - pixelOffset;
    if (announced != layout->imageBytes || announced > source.Remaining())
        return nullptr;
    DibImagePtr image = DibCreateFromLayout(*layout);
    if (!image || source.Read(image->m_pixels.data(), announced) != announced)
        return nullptr;
    return image;
}

} // namespace

DibImagePtr DibReadFile(const std::string& fileName)
{
    try {
        FileSource source(fileName);
        return source.IsOpen() ? ReadDib(source) : nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

DibImagePtr DibReadMemory(const uint8_t* data, size_t size)
{
    try {
        MemorySource source(data, size);
        return ReadDib(source);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::vector<uint8_t> DibEncodeFile(const DibImage* image)
{
    std::vector<uint8_t> packed = DibCopyToPackedDib(image, false);
    if (packed.empty())
        return {};
    try {
        const uint32_t total = DibTotalBytes(image);
        std::vector<uint8_t> file;
        file.reserve(kDibFileHeaderBytes + packed.size());
        file.push_back('B');
        file.push_back('M');
        dibbytes::AppendU32(file, total + uint32_t(kDibFileHeaderBytes));
        dibbytes::AppendU16(file, 0);
        dibbytes::AppendU16(file, 0);
        dibbytes::AppendU32(file, total + uint32_t(kDibFileHeaderBytes) - DibImageBytes(image));
        file.insert(file.end(), packed.begin(), packed.end());
        return file;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

bool DibReplaceFile(const std::string& fileName, const std::vector<uint8_t>& bytes)
{
    // The picture takes the real name only when it is complete, so a full disk or a vanished
    // folder never costs the picture that was there.
    return !fileName.empty()
        && ReplaceFileContents(fileName, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) == 0;
}

bool DibWriteFile(const DibImage* image, const std::string& fileName)
{
    const std::vector<uint8_t> bytes = DibEncodeFile(image);
    return !bytes.empty() && DibReplaceFile(fileName, bytes);
}

} // namespace veldran
