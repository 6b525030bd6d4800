#include "platform/log_file.h"

#include "platform/csv.h"
#include "platform/posix_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tavrol {
namespace {

// Far beyond kMostBytes: a larger file is no log this program wrote, and is not read at once.
constexpr std::size_t kLargestReadable = std::size_t { 256 } << 20;

std::string_view withoutLineEnd(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

std::string reason(const std::string& path)
{
    return path + ": " + std::strerror(errno);
}

// The first free name of `stem`.unreadable.csv, stem.unreadable-2.csv, ... that `path` can be
// linked to; "" when none could be.
std::string setAside(const std::string& path, const std::string& folder, const std::string& stem)
{
    for (int n = 1; n < 1000; ++n) {
        const std::string aside
            = folder + "/" + stem + ".unreadable" + (n == 1 ? std::string() : "-" + std::to_string(n)) + ".csv";
        if (::link(path.c_str(), aside.c_str()) == 0) {
            ::unlink(path.c_str());
            return aside;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

} // namespace

LogFile::LogFile(std::string folder, std::string stem, std::vector<std::string> header, std::size_t mostRecords)
    : folder_(std::move(folder))
    , stem_(std::move(stem))
    , path_(folder_ + "/" + stem_ + ".csv")
    , olderPath_(folder_ + "/" + stem_ + ".1.csv")
    , header_(std::move(header))
    , mostRecords_(mostRecords)
{
}

LogFile::Contents LogFile::read(const std::function<bool(std::vector<std::string>& fields)>& record)
{
    Contents contents;
    records_ = 0;
    inode_ = 0;
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            contents.error = reason(path_);
        return contents;
    }
    struct stat info { };
    const bool known = ::fstat(fd, &info) == 0;
    const std::optional<std::string> text = posix::readRegular(fd, kLargestReadable);
    const int readError = errno;
    ::close(fd);
    if (!text) {
        errno = readError;
        contents.error = reason(path_);
        return contents;
    }
    std::string_view rest = *text;
    if (rest.starts_with("\xEF\xBB\xBF")) // a byte order mark a spreadsheet may have saved
        rest.remove_prefix(3);
    bool first = true;
    // A last line without its line end was cut short by a crash: it is no record.
    for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
        const std::string_view line = withoutLineEnd(rest.substr(0, end));
        rest.remove_prefix(end + 1);
        auto fields = csv::parseLine(line);
        if (std::exchange(first, false)) {
            if (fields == header_)
                continue;
            contents.setAside = setAside(path_, folder_, stem_);
            if (contents.setAside.empty())
                contents.error = path_ + ": no log of Tavrol32 (its first line names other columns)";
            return contents;
        }
        if (fields && fields->size() == header_.size() && record(*fields))
            ++contents.records;
        else
            ++contents.unreadable;
    }
    records_ = contents.records + contents.unreadable;
    inode_ = known ? info.st_ino : 0;
    return contents;
}

int LogFile::openForAppend()
{
    // Non-blocking, so that a FIFO put in the log's place cannot hold it up; read too, for the last byte.
    const int fd = ::open(path_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        fail(reason(path_));
    return fd;
}

bool LogFile::moveOn(int& fd)
{
    ::close(fd);
    fd = -1;
    if (::rename(path_.c_str(), olderPath_.c_str()) != 0)
        return fail(reason(olderPath_));
    records_ = 0;
    fd = openForAppend();
    return fd >= 0;
}

bool LogFile::append(const std::vector<std::string>& fields)
{
    std::string problem;
    if (!posix::makeFolder(folder_, problem))
        return fail(problem);
    int fd = openForAppend();
    if (fd < 0)
        return false;
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(path_ + ": not a regular file");
    }
    if (info.st_ino != inode_) // started afresh by another program, or cleared: counted anew
        records_ = 0;
    if (records_ >= mostRecords_ || info.st_size >= kMostBytes) {
        if (!moveOn(fd) || ::fstat(fd, &info) != 0) {
            if (fd >= 0)
                ::close(fd);
            return false;
        }
    }
    inode_ = info.st_ino;
    std::string text;
    char last = '\n';
    if (info.st_size == 0)
        text = csv::record(header_);
    else if (::pread(fd, &last, 1, info.st_size - 1) == 1 && last != '\n')
        text = "\r\n"; // closes off a line torn by a crash, so that this record stands on its own
    text += csv::record(fields);
    const bool written = posix::writeAll(fd, text);
    const int writeError = errno;
    ::close(fd);
    if (!written) {
        errno = writeError;
        return fail(reason(path_));
    }
    ++records_;
    error_.clear();
    return true;
}

bool LogFile::clear()
{
    records_ = 0;
    inode_ = 0;
    if (::unlink(path_.c_str()) != 0 && errno != ENOENT)
        return fail(reason(path_));
    return true;
}

bool LogFile::fail(const std::string& what)
{
    error_ = what;
    return false;
}

} // namespace tavrol
