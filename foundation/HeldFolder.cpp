#include "foundation/HeldFolder.h"

#include "foundation/FileIdentity.h"

#include <vector>

namespace {

bool isLink(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The ANSI form of a listed name. The ANSI listing calls would give the code
// page's best fit, which can turn a fullwidth solidus into a separator or one
// name into another's; here a name without an exact form is marked so.
HeldFolder::Entry entryOf(const FILE_ID_BOTH_DIR_INFO& record)
{
    HeldFolder::Entry entry{String(""), true, record.FileAttributes, static_cast<ULONGLONG>(record.FileId.QuadPart)};
    int length = static_cast<int>(record.FileNameLength / sizeof(WCHAR));
    // UTF-8 has an exact form of every name and takes neither the flag nor the question.
    bool utf8 = GetACP() == CP_UTF8;
    BOOL defaulted = FALSE;
    DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int needed = WideCharToMultiByte(CP_ACP, flags, record.FileName, length, nullptr, 0, nullptr, nullptr);
    String name(needed);
    int written = WideCharToMultiByte(CP_ACP, flags, record.FileName, length, name.cStr(), name.capacity(), nullptr,
                                      utf8 ? nullptr : &defaulted);
    name.cStr()[written > 0 ? written : 0] = '\0';
    name.syncLength();
    entry.name = name;
    entry.exact = length > 0 && written == needed && !defaulted;
    return entry;
}

} // namespace

HeldFolder::HeldFolder(const String& path, ULONGLONG expectedIndex)
    : handle(CreateFileA(path.cStr(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr))
{
    if (!handle.isOpen()) {
        what = meansNothingThere(GetLastError()) ? Kind::missing : Kind::other;
        return;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(handle.get(), &information)) {
        what = Kind::other;
        return;
    }
    ULONGLONG index = (static_cast<ULONGLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    if (isLink(information.dwFileAttributes))
        what = Kind::link;
    else if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || (expectedIndex != 0 && index != expectedIndex))
        what = Kind::other;
    else
        what = Kind::folder;
}

bool HeldFolder::list(const std::function<void(const Entry&)>& visit) const
{
    if (what != Kind::folder)
        return false;
    std::vector<LONGLONG> buffer(8192); // 64 KiB, aligned for the records
    FILE_INFO_BY_HANDLE_CLASS query = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(handle.get(), query, buffer.data(),
                                        static_cast<DWORD>(buffer.size() * sizeof(LONGLONG)))) {
        query = FileIdBothDirectoryInfo;
        const char* at = reinterpret_cast<const char*>(buffer.data());
        for (;;) {
            const FILE_ID_BOTH_DIR_INFO& record = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const WCHAR* name = record.FileName;
            size_t length = record.FileNameLength / sizeof(WCHAR);
            bool dots = (length == 1 && name[0] == L'.') || (length == 2 && name[0] == L'.' && name[1] == L'.');
            if (!dots)
                visit(entryOf(record));
            if (record.NextEntryOffset == 0)
                break;
            at += record.NextEntryOffset;
        }
    }
    return GetLastError() == ERROR_NO_MORE_FILES;
}
