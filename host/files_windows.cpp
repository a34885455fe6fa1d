// The file services on Windows, through the wide-character API so that every Unicode name and long
// paths work. Every failure becomes a FileError that tells refused access (denied, write-protected,
// held open or locked by another program) from every other reason, with the reason in German.

#include "host/fault_injection.h"
#include "host/files.h"
#include "host/system_reasons.h"
#include "host/temporary_name.h"
#include "host/windows_text.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>

namespace host {
namespace {

using windows::SystemPath;

bool IsAccessRefused(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:         // no permission, read-only file, a folder opened as a file
    case ERROR_WRITE_PROTECT:         // write-protected medium
    case ERROR_SHARING_VIOLATION:     // another program holds the file open
    case ERROR_LOCK_VIOLATION:        // another program locked a range of it
    case ERROR_NETWORK_ACCESS_DENIED: // the share refuses it
    case ERROR_DRIVE_LOCKED:
    case ERROR_FILE_READ_ONLY:
    case ERROR_CANT_ACCESS_FILE:
    case ERROR_PRIVILEGE_NOT_HELD:
        return true;
    default:
        return false;
    }
}

// Codes newer than the headers of every toolchain that builds this.
constexpr DWORD ErrorDiskQuotaExceeded = 1295;
constexpr DWORD ErrorDirectoryNotSupported = 336;

std::string ReasonText(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_CANT_ACCESS_FILE:
        return reasons::AccessDenied;
    case ERROR_PRIVILEGE_NOT_HELD:
        return reasons::NotPermitted;
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_READ_ONLY:
        return reasons::ReadOnlyMedium;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_USER_MAPPED_FILE:
        return reasons::InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return reasons::NoSpace;
    case ErrorDiskQuotaExceeded:
        return reasons::QuotaExceeded;
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_SECTOR_NOT_FOUND:
        return reasons::InputOutput;
    case ErrorDirectoryNotSupported:
        return reasons::IsFolder;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return reasons::NameTooLong;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_PARAMETER:
        return reasons::BadName;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
        return reasons::NotFound;
    case ERROR_DIRECTORY:
        return reasons::PathNotFolder;
    case ERROR_CANT_RESOLVE_FILENAME:
    case ERROR_TOO_MANY_LINKS:
        return reasons::TooManyLinks;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return reasons::AlreadyThere;
    case ERROR_FILE_TOO_LARGE:
        return reasons::TooLarge;
    case ERROR_TOO_MANY_OPEN_FILES:
        return reasons::TooManyOpen;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return reasons::OutOfMemory;
    case ERROR_NOT_READY:
        return reasons::NotReady;
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_DEV_NOT_EXIST:
        return reasons::ConnectionLost;
    case ERROR_HANDLE_EOF:
        return reasons::UnexpectedEnd;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
        return reasons::ReaderGone;
    case ERROR_INVALID_HANDLE:
        return reasons::BadDescriptor;
    case ERROR_NOT_SUPPORTED:
        return reasons::NotSupported;
    case ERROR_NOT_SAME_DEVICE:
        return reasons::OtherVolume;
    default:
        return windows::ErrorText(error);
    }
}

[[noreturn]] void ThrowError(const std::string& path, DWORD error) {
    throw FileError(IsAccessRefused(error) ? FileErrorKind::AccessRefused : FileErrorKind::Other, path,
                    ReasonText(error));
}

[[noreturn]] void ThrowLastError(const std::string& path) {
    ThrowError(path, ::GetLastError());
}

HANDLE Handle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Where WriteAll writes when no offset is given: at the handle's position, which moves past the data.
constexpr std::int64_t AtPosition = -1;

// Writes all n bytes at offset (0-based) or at the handle's position, counting what went out even when
// a write fails. A write at an offset moves the handle's position as well.
void WriteAll(HANDLE h, const std::uint8_t* data, std::size_t n, const std::string& name, std::int64_t& count,
              std::int64_t offset = AtPosition) {
    while (n > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(h, data, want, &put, offset == AtPosition ? nullptr : &at))
            ThrowLastError(name);
        if (put == 0) // a write that succeeds without writing would otherwise loop for ever
            throw FileError(FileErrorKind::Other, name, reasons::NothingWritten);
        data += put;
        n -= put;
        count += put;
        if (offset != AtPosition)
            offset += put;
    }
}

std::intptr_t NoHandle() {
    return reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

// Opens whatever stands at the path, links followed unless followLinks is false, only to ask about it: no
// access to the data is requested, so other programs holding the file open do not get in the way.
HANDLE OpenForQuery(const std::wstring& path, bool followLinks = true) {
    return ::CreateFileW(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT), nullptr);
}

// The facts of what stands at the path; false with GetLastError set when they cannot be had.
bool QueryByHandle(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info, bool followLinks = true) {
    const HANDLE h = OpenForQuery(path, followLinks);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const BOOL ok = ::GetFileInformationByHandle(h, &info);
    const DWORD error = ::GetLastError();
    ::CloseHandle(h);
    ::SetLastError(error);
    return ok != 0;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber,
            (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// The facts of the open file behind h.
FileIdentity IdentityOfHandle(HANDLE h, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h, &info))
        ThrowLastError(path);
    return IdentityOf(info);
}

// The attributes of what stands at the path; for a symbolic link those of its target.
bool Attributes(const std::wstring& path, DWORD& attributes) {
    attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!QueryByHandle(path, info))
            return false;
        attributes = info.dwFileAttributes;
    }
    return true;
}

// Windows refuses to open a folder as a file with "access denied", and to create a file over one with
// "exists". A folder in the way is no refused access (no other medium or permission would help), so it
// is reported as what it is.
[[noreturn]] void ThrowOpenError(const std::string& path, const std::wstring& systemPath) {
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(systemPath.c_str());
    if ((error == ERROR_ACCESS_DENIED || error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) &&
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(FileErrorKind::Other, path, reasons::IsFolder);
    ThrowError(path, error);
}

// What stands at the path, a link there not followed; None when nothing does.
EntryKind LookAt(const std::string& path) {
    faults::CountOperation(path.c_str(), faults::Operation::Look);
    const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return EntryKind::None;
        ThrowError(path, error);
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::Folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? EntryKind::Special : EntryKind::File;
}

// Where the last part of a path begins: after its last separator, or after the colon of a drive
// ("C:name", a name in that drive's current folder).
std::size_t LastPartStart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/");
    if (cut != std::string::npos)
        return cut + 1;
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive ? 2 : 0;
}

// The path of name in the folder that holds path's last part.
std::string Beside(const std::string& path, const std::string& name) {
    return path.substr(0, LastPartStart(path)) + name;
}

// Refuses a path whose last part Windows would silently take for another file or for a device.
void RefuseLastPart(const std::string& path) {
    if (const char* problem = NameProblem(path.substr(LastPartStart(path))))
        throw FileError(FileErrorKind::Other, path, problem);
}

// Whether Windows takes name for a device: CON, PRN, AUX, NUL, or COM or LPT followed by a digit 1 to 9
// or one of the superscripts 1 to 3, in any case, also with an extension ("con.txt") or spaces before it.
bool IsDeviceName(std::string_view name) noexcept {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    const auto is = [&](std::string_view device) {
        return base.size() >= device.size() &&
               std::equal(device.begin(), device.end(), base.begin(), [](char d, char c) {
                   return d == ((c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c);
               });
    };
    if (base.size() == 3)
        return is("CON") || is("PRN") || is("AUX") || is("NUL");
    if (!is("COM") && !is("LPT"))
        return false;
    const std::string_view number = base.substr(3);
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

// Opens a file for sequential reading. Others may read it meanwhile, but not change or remove it under
// the reader.
HANDLE OpenForReading(const std::wstring& systemPath) {
    return ::CreateFileW(systemPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

std::int64_t LengthOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) |
                                     info.nFileSizeLow);
}

// The time of the last writing, in the system's unit of 100 ns.
std::int64_t LastWriteOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                     info.ftLastWriteTime.dwLowDateTime);
}

// An output being written and not yet renamed into place, kept so that a process about to end at once
// can remove it. A console's Ctrl+C handler runs on a thread of its own, hence the lock.
struct Unfinished {
    HANDLE handle;          // INVALID_HANDLE_VALUE once closed
    std::wstring temporary; // its path, as the system takes it
};

std::mutex& UnfinishedLock() {
    static std::mutex lock;
    return lock;
}

// Every unfinished output of the process, by the OutputFile that writes it.
std::map<const void*, Unfinished>& UnfinishedFiles() {
    static std::map<const void*, Unfinished> files;
    return files;
}

// Marks the open file to be removed when its last handle closes. Through the handle, the file goes
// whatever name it has, and without anyone being allowed to share its removal.
bool RemoveThroughHandle(HANDLE h) noexcept {
    FILE_DISPOSITION_INFO gone{};
    gone.DeleteFile = TRUE;
    return ::SetFileInformationByHandle(h, FileDispositionInfo, &gone, sizeof gone) != 0;
}

// Closes an unfinished output, if open, and removes it.
void RemoveUnfinished(Unfinished& file) noexcept {
    if (file.handle != INVALID_HANDLE_VALUE) {
        const bool marked = RemoveThroughHandle(file.handle);
        ::CloseHandle(file.handle);
        file.handle = INVALID_HANDLE_VALUE;
        if (marked)
            return;
    }
    (void)::DeleteFileW(file.temporary.c_str());
}

} // namespace

char PathSeparator() noexcept {
    return '\\';
}

std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool FileExists(const std::string& path) noexcept {
    if (path.empty())
        return false;
    try {
        DWORD attributes = 0;
        if (!Attributes(SystemPath(path), attributes))
            return false;
        constexpr DWORD notOrdinary =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
        return (attributes & notOrdinary) == 0;
    } catch (...) { // out of memory while converting the path
        return false;
    }
}

std::optional<FileIdentity> IdentityOf(const std::string& path, bool followLinks) noexcept {
    try {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!QueryByHandle(SystemPath(path), info, followLinks))
            return std::nullopt;
        return IdentityOf(info);
    } catch (...) { // out of memory while converting the path
        return std::nullopt;
    }
}

bool LeadsTo(const std::string& path, const std::string& name) noexcept {
    try {
        const std::wstring entryPath = SystemPath(name);
        const DWORD attributes = ::GetFileAttributesW(entryPath.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return false;
        // The same file, and name its only link: a hard link elsewhere would keep the data. (A path that
        // reaches the file through another of its hard links is let through too; removing name keeps it.)
        BY_HANDLE_FILE_INFORMATION target{}, entry{};
        return QueryByHandle(SystemPath(path), target) && QueryByHandle(entryPath, entry) &&
               target.dwVolumeSerialNumber == entry.dwVolumeSerialNumber &&
               target.nFileIndexHigh == entry.nFileIndexHigh && target.nFileIndexLow == entry.nFileIndexLow &&
               entry.nNumberOfLinks == 1;
    } catch (...) { // out of memory while converting a path
        return false;
    }
}

bool IsFolder(const std::string& path) {
    faults::CountOperation(path.c_str(), faults::Operation::Examine);
    DWORD attributes = 0;
    if (!Attributes(SystemPath(path), attributes))
        ThrowLastError(path);
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    faults::CountOperation(folder.c_str(), faults::Operation::Examine);
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW found{};
    const HANDLE h = ::FindFirstFileExW(SystemPath(pattern).c_str(), FindExInfoBasic, &found,
                                        FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // A drive's root holds no "." entry, so an empty one finds nothing at all.
        if (error == ERROR_FILE_NOT_FOUND)
            return {};
        ThrowError(folder, error);
    }
    struct FindCloser {
        void operator()(HANDLE search) const { ::FindClose(search); }
    };
    const std::unique_ptr<void, FindCloser> search(h);
    std::vector<std::string> names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(windows::Narrow(name));
    } while (::FindNextFileW(h, &found));
    const DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES)
        ThrowError(folder, error);
    return names;
}

std::int64_t FileLength(const std::string& path) {
    faults::CountOperation(path.c_str(), faults::Operation::Examine);
    const HANDLE h = OpenForQuery(SystemPath(path));
    if (h == INVALID_HANDLE_VALUE)
        ThrowLastError(path);
    LARGE_INTEGER size{};
    const BOOL ok = ::GetFileSizeEx(h, &size);
    const DWORD error = ::GetLastError();
    ::CloseHandle(h);
    if (!ok)
        ThrowError(path, error);
    return size.QuadPart;
}

InputFile::InputFile(const std::string& path) : path_(path), handle_(NoHandle()) {
    RefuseLastPart(path);
    faults::CountOperation(path.c_str(), faults::Operation::OpenInput);
    const std::wstring systemPath = SystemPath(path);
    const HANDLE h = OpenForReading(systemPath);
    if (h == INVALID_HANDLE_VALUE)
        ThrowOpenError(path, systemPath);
    handle_ = reinterpret_cast<std::intptr_t>(h);
    Opened();
}

InputFile::InputFile(const OutputFolder& folder, const std::string& path) : path_(path), handle_(NoHandle()) {
    RefuseLastPart(path);
    faults::CountOperation(path.c_str(), faults::Operation::OpenInput);
    // Folders in use cannot be swapped on Windows; the name is looked up in the output's folder all the
    // same, as on other systems: the input is the file beside the output, however the path was spelt.
    const std::wstring systemPath = SystemPath(Beside(folder.path_, path.substr(LastPartStart(path))));
    const HANDLE h = OpenForReading(systemPath);
    if (h == INVALID_HANDLE_VALUE)
        ThrowOpenError(path, systemPath);
    handle_ = reinterpret_cast<std::intptr_t>(h);
    Opened();
}

void InputFile::Opened() {
    const HANDLE h = Handle(handle_);
    if (::GetFileType(h) != FILE_TYPE_DISK) { // a pipe, console or device opened by its name
        Close();
        throw FileError(FileErrorKind::Other, path_, reasons::NotOrdinary);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h, &info)) {
        const DWORD error = ::GetLastError();
        Close();
        ThrowError(path_, error);
    }
    length_ = LengthOf(info);
    modified_ = LastWriteOf(info);
}

InputFile::~InputFile() {
    Close();
}

FileIdentity InputFile::Identity() const {
    return IdentityOfHandle(Handle(handle_), path_);
}

void InputFile::Read(std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Read);
    while (n > 0) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(Handle(handle_), data, want, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            // The medium failed: while reading, not writing.
            if (ReasonText(error) == reasons::InputOutput)
                throw FileError(FileErrorKind::Other, path_, reasons::ReadFailed);
            ThrowError(path_, error);
        }
        if (got == 0)
            throw FileError(FileErrorKind::Other, path_, reasons::UnexpectedEnd);
        data += got;
        n -= got;
        position_ += got;
    }
}

void InputFile::CheckUnchanged() const {
    // The file is open without sharing its writing, so only a program that held it open for writing
    // before can have changed it; its length and time of last writing tell.
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(Handle(handle_), &info))
        ThrowLastError(path_);
    if (LengthOf(info) != length_ || LastWriteOf(info) != modified_)
        throw FileError(FileErrorKind::Other, path_, reasons::ChangedWhileRead);
}

void InputFile::Close() noexcept {
    if (handle_ != NoHandle()) {
        ::CloseHandle(Handle(handle_));
        handle_ = NoHandle();
    }
}

OutputFolder::OutputFolder(const std::string& outputPath) : path_(outputPath), handle_(NoHandle()) {
    const std::size_t start = LastPartStart(outputPath);
    folder_ = start == 0 ? "." : outputPath.substr(0, start);
    name_ = outputPath.substr(start);
    RefuseLastPart(outputPath);
    faults::CountOperation(path_.c_str(), faults::Operation::OpenFolder);
}

OutputFolder::~OutputFolder() = default;

Entry OutputFolder::Look() const {
    Entry entry;
    entry.kind = LookAt(path_);
    if (entry.kind == EntryKind::File || entry.kind == EntryKind::Link) {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!QueryByHandle(SystemPath(path_), info, false))
            ThrowLastError(path_);
        entry.identity = IdentityOf(info);
        entry.links = info.nNumberOfLinks;
        entry.hidden = entry.kind == EntryKind::File &&
                       (info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    }
    return entry;
}

FileIdentity OutputFolder::Identity() const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!QueryByHandle(SystemPath(folder_), info))
        ThrowLastError(path_);
    return IdentityOf(info);
}

void OutputFolder::Sync() const {
    // Counted all the same, so that a sequence of operations counts alike on every system.
    faults::CountOperation(path_.c_str(), faults::Operation::SyncFolder);
}

const char* NameProblem(const std::string& name) noexcept {
    // "." and ".." name folders, which whoever opens them finds out.
    if (name.empty() || name == "." || name == "..")
        return nullptr;
    if (name.find_first_of("/\\") != std::string::npos)
        return reasons::SeparatorInName;
    if (!FitsInName(name))
        return reasons::CharacterNotInNames;
    if (IsDeviceName(name))
        return reasons::DeviceName;
    if (name.back() == '.' || name.back() == ' ')
        return reasons::NameChangedBySystem;
    return nullptr;
}

bool FitsInName(const std::string& text) noexcept {
    return std::none_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
    });
}

OutputFile::OutputFile(const OutputFolder& folder, std::uint32_t)
    : folder_(folder), path_(folder.path_), handle_(NoHandle()) {
    faults::CountOperation(path_.c_str(), faults::Operation::CreateOutput);
    // A name taken meanwhile, by another run or one killed before, is never shared: the exclusive create
    // fails, and another random name is tried. The file is created as itself even where a link stands.
    // Nobody else may change, rename or remove it while it is written (no write or delete sharing); it
    // is removed through its own handle.
    constexpr int Attempts = 16;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 1;; ++attempt) {
        temporary_ = host::TemporaryName(folder.name_);
        const std::wstring systemPath = SystemPath(Beside(path_, temporary_));
        h = ::CreateFileW(systemPath.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            break;
        const DWORD error = ::GetLastError();
        if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == Attempts)
            ThrowError(path_, error);
    }
    handle_ = reinterpret_cast<std::intptr_t>(h);
    try {
        const std::lock_guard<std::mutex> lock(UnfinishedLock());
        UnfinishedFiles().emplace(this, Unfinished{h, SystemPath(Beside(path_, temporary_))});
    } catch (...) {
        RemoveThroughHandle(h);
        ::CloseHandle(h);
        throw;
    }
}

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::Reserve(std::int64_t length) noexcept {
    announced_ = length;
    ReserveAhead();
}

void OutputFile::ReserveAhead() noexcept {
    // The allocation size, unlike the end of file, is not what readers see as the file's length. It is
    // moved on when the writes have used half of what lies ahead of them, so a file is allocated in
    // pieces of about half a step while never more than a step lies reserved beyond its data.
    if (announced_ <= reserved_ || reserved_ - written_ > ReserveStep / 2)
        return;
    const std::int64_t target = std::min(announced_, written_ + ReserveStep);
    if (target <= written_)
        return;
    FILE_ALLOCATION_INFO info{};
    info.AllocationSize.QuadPart = target;
    if (::SetFileInformationByHandle(Handle(handle_), FileAllocationInfo, &info, sizeof info))
        reserved_ = target;
    else
        announced_ = 0; // a file system that cannot reserve space is not asked again
}

void OutputFile::ReleaseUnused() noexcept {
    if (reserved_ > written_) {
        FILE_ALLOCATION_INFO info{};
        info.AllocationSize.QuadPart = written_;
        (void)::SetFileInformationByHandle(Handle(handle_), FileAllocationInfo, &info, sizeof info);
    }
    reserved_ = 0;
    announced_ = 0;
}

void OutputFile::Write(const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Write);
    WriteAll(Handle(handle_), data, n, path_, written_);
    ReserveAhead();
}

void OutputFile::StartWriteBack() noexcept {}

void OutputFile::Flush() {
    faults::CountOperation(path_.c_str(), faults::Operation::Flush);
    if (!::FlushFileBuffers(Handle(handle_)))
        ThrowLastError(path_);
}

FileIdentity OutputFile::Identity() const {
    return IdentityOfHandle(Handle(handle_), path_);
}

void StandardOutput::Write(const std::uint8_t* data, std::size_t n) {
    // The handle itself, not the C runtime's stream: no text mode turns a byte 10 into 13 10.
    std::int64_t count = 0;
    WriteAll(::GetStdHandle(STD_OUTPUT_HANDLE), data, n, reasons::StandardOutputName, count);
}

void StandardOutput::Flush() {
    const HANDLE h = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (::GetFileType(h) == FILE_TYPE_DISK && !::FlushFileBuffers(h))
        ThrowLastError(reasons::StandardOutputName);
}

bool StandardOutput::Is(const FileIdentity& file) const noexcept {
    BY_HANDLE_FILE_INFORMATION info{};
    const HANDLE h = ::GetStdHandle(STD_OUTPUT_HANDLE);
    return ::GetFileType(h) == FILE_TYPE_DISK && ::GetFileInformationByHandle(h, &info) &&
           IdentityOf(info) == file;
}

void OutputFile::WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Rewrite);
    std::int64_t rewritten = 0; // within the written part, so the file's length stays
    WriteAll(Handle(handle_), data, n, path_, rewritten, offset);
    // The write moved the file pointer; the file's end, where the next Write goes, is restored.
    LARGE_INTEGER end{};
    end.QuadPart = written_;
    if (!::SetFilePointerEx(Handle(handle_), end, nullptr, FILE_BEGIN))
        ThrowLastError(path_);
}

// Called with the lock of the unfinished files held: a removal on another thread never uses a handle
// closed meanwhile, whose number the system may already have given to something else.
void OutputFile::CloseHandle() {
    if (handle_ == NoHandle())
        return;
    const HANDLE h = Handle(handle_);
    handle_ = NoHandle(); // the handle is released even when closing reports an error
    const auto entry = UnfinishedFiles().find(this);
    if (entry != UnfinishedFiles().end())
        entry->second.handle = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(h))
        ThrowLastError(path_);
}

void OutputFile::Commit(bool replace) {
    if (!inProgress_)
        throw FileError(FileErrorKind::Other, path_, reasons::BadDescriptor);
    try {
        faults::CountOperation(path_.c_str(), faults::Operation::Rename);
        ReleaseUnused();
        // Closed before the rename, so that a file whose closing failed never takes the output's name;
        // the lock keeps a removal of unfinished outputs from coming between closing and renaming.
        const std::lock_guard<std::mutex> lock(UnfinishedLock());
        CloseHandle();
        const std::wstring temporary = SystemPath(Beside(path_, temporary_));
        const std::wstring output = SystemPath(path_);
        const DWORD existing = ::GetFileAttributesW(output.c_str());
        const bool file = existing != INVALID_FILE_ATTRIBUTES &&
                          (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
        // A hidden or system file counts as absent for the batches, and Windows refuses to create a file
        // over one: it is never replaced, whatever the caller asks (MoveFileExW itself would replace it).
        if (file && (existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
            ThrowError(path_, ERROR_ACCESS_DENIED);
        // Windows refuses to rename over a read-only file; its attribute is cleared for the rename and
        // comes back when the rename fails. A link is replaced as it is: its target's attributes are not
        // ours to change.
        const bool cleared = replace && file && (existing & FILE_ATTRIBUTE_READONLY) != 0 &&
                             ::SetFileAttributesW(output.c_str(), existing & ~FILE_ATTRIBUTE_READONLY);
        // Both names share a folder, so this is a rename, never a copy; write-through makes the call wait
        // until the file system has written the change where it can be asked to.
        if (!::MoveFileExW(temporary.c_str(), output.c_str(),
                           (replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = ::GetLastError();
            if (cleared)
                (void)::SetFileAttributesW(output.c_str(), existing);
            // A folder in the way answers "access denied" or "exists"; it is named for what it is.
            if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0)
                throw FileError(FileErrorKind::Other, path_, reasons::IsFolder);
            ThrowError(path_, error);
        }
        UnfinishedFiles().erase(this);
        inProgress_ = false;
    } catch (...) {
        Discard();
        throw;
    }
}

void OutputFile::Discard() noexcept {
    if (!inProgress_)
        return;
    inProgress_ = false;
    try {
        const std::lock_guard<std::mutex> lock(UnfinishedLock());
        const auto entry = UnfinishedFiles().find(this);
        if (entry != UnfinishedFiles().end()) {
            RemoveUnfinished(entry->second);
            UnfinishedFiles().erase(entry);
        } else if (handle_ != NoHandle()) {
            ::CloseHandle(Handle(handle_));
        }
        handle_ = NoHandle();
    } catch (...) { // a lock the system cannot take: the file stays, as after a kill
    }
}

void DiscardOutputsInProgress() noexcept {
    try {
        const std::lock_guard<std::mutex> lock(UnfinishedLock());
        for (auto& [owner, file] : UnfinishedFiles()) {
            // Open files are only marked: the process ends at once and closes them, and a handle closed
            // here could still be in use by a write of another thread.
            if (file.handle == INVALID_HANDLE_VALUE || !RemoveThroughHandle(file.handle))
                (void)::DeleteFileW(file.temporary.c_str());
        }
    } catch (...) { // a lock the system cannot take: the files stay, as after a kill
    }
}

} // namespace host
