#include "link/SettingsFile.h"

#include "document/KoreanCodePage.h"
#include "files/FileWriter.h"
#include "resources/Strings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran {
namespace {

constexpr const char* kFileName = "veldran.cfg";
constexpr const char* kColumnsLine = "[port number, port speed]";
constexpr int kLineCount = 3;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// One line up to its line feed (not included); a carriage return before the line feed is
// dropped. At the end of the file the line is empty.
bool ReadLine(std::FILE* file, std::string& line)
{
    line.clear();
    int c;
    while ((c = std::getc(file)) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return !std::ferror(file);
}

// A "%d" conversion: optional white space, optional sign, digits. A value outside int is not
// a number this file can hold and counts as unreadable.
bool ReadInt(const char*& cursor, int& value)
{
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(cursor, &end, 10);
    if (end == cursor || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    cursor = end;
    return true;
}

void ParseValues(const std::string& line, int& port, int& speed)
{
    const char* cursor = line.c_str();
    int value = 0;
    if (!ReadInt(cursor, value))
        return;
    port = value;
    if (*cursor != ',')
        return;
    ++cursor;
    if (ReadInt(cursor, value))
        speed = value;
}

Message Failure(const std::string& path, const char* step, int code)
{
    return Message(text::kCannotWriteSettings, {path + " (" + step + "): " + ErrorText(code)});
}

bool CreateFolders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

} // namespace

std::string SettingsFileText(int port, int speed)
{
    char values[32];
    std::snprintf(values, sizeof values, "%d,%d\n", port, speed);
    return Utf8ToCp949(filetext::kSettingsTitle) + "\n" + kColumnsLine + "\n" + values;
}

bool ReadSettings(const std::string& path, int& port, int& speed)
{
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    std::string line;
    for (int n = 0; n < kLineCount; ++n)
        if (!ReadLine(file.get(), line))
            return false; // not a readable file (a folder of that name, an I/O error)
    ParseValues(line, port, speed);
    return true;
}

bool WriteSettings(const std::string& path, int port, int speed, Message* error)
{
    CFileWriter::EStep step = CFileWriter::EStep::Create;
    const int code = ReplaceFileContents(path, SettingsFileText(port, speed), &step);
    if (code == 0)
        return true;
    if (error) {
        static const char* const kSteps[] = {"create", "write", "replace"};
        *error = Failure(path, kSteps[static_cast<int>(step)], code);
    }
    return false;
}

std::string SettingsFolder()
{
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return "./";
    const std::string exe(buffer.data(), static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

std::string SettingsPath()
{
    return SettingsFolder() + kFileName;
}

std::string UserSettingsPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && *config == '/')
        folder = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::string(home) + "/.config";
    else
        return std::string();
    return folder + "/VELDRAN/" + kFileName;
}

std::string WritableSettingsPath()
{
    if (::access(SettingsFolder().c_str(), W_OK) == 0)
        return SettingsPath();
    const std::string user = UserSettingsPath();
    if (user.empty() || !CreateFolders(user.substr(0, user.rfind('/') + 1)))
        return SettingsPath();
    return user;
}

} // namespace veldran
