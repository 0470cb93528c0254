#include "tests/console/ConsoleTesting.h"

#include "tests/support/RunningProgram.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace consoletesting {

namespace {

struct OutputFile {
    OutputFile()
    {
        char folder[MAX_PATH] = {};
        char name[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "t5o", 0, name);
        path = name;
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        handle = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    }
    ~OutputFile() { DeleteFileA(path.c_str()); }
    std::string text()
    {
        CloseHandle(handle);
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    std::string path;
    HANDLE handle;
};

bool startsWith(const std::string& text, const std::string& start)
{
    return _strnicmp(text.c_str(), start.c_str(), start.size()) == 0;
}

std::string timeText(const FILETIME& time)
{
    return std::to_string((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// FNV-1a of the file's content, for the small ones.
std::string contentText(const std::string& path, const WIN32_FIND_DATAA& record)
{
    if (record.nFileSizeHigh != 0 || record.nFileSizeLow >= (1u << 20))
        return "large";
    std::ifstream file(path, std::ios::binary);
    unsigned long long sum = 1469598103934665603ull;
    for (std::istreambuf_iterator<char> at(file), end; at != end; ++at)
        sum = (sum ^ static_cast<unsigned char>(*at)) * 1099511628211ull;
    return file ? std::to_string(sum) : std::string("unreadable");
}

// Below temp only keep is listed; the folders on the way to it are entered unlisted.
void listFiles(const std::string& folder, const std::string& temp, const std::string& keep,
               std::vector<std::string>& listing)
{
    WIN32_FIND_DATAA record;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &record);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = record.cFileName;
        std::string path = folder + "\\" + name;
        // The test command's own folders of links and empty files are the
        // foundation tests' to change meanwhile.
        bool listed = (!startsWith(path + "\\", temp) || startsWith(path, keep)) && !startsWith(path, "C:\\t5-");
        if (name == "." || name == ".." || !(listed || startsWith(keep, path + "\\")))
            continue;
        const bool folder = (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // A folder's time of writing moves with whatever other tests do in it; its
        // entries tell what changed there.
        if (listed)
            listing.push_back(path + " " + std::to_string(record.dwFileAttributes) +
                              (folder ? std::string()
                                      : " " + std::to_string(record.nFileSizeLow) + " " +
                                            timeText(record.ftCreationTime) + " " + timeText(record.ftLastWriteTime) +
                                            " " + contentText(path, record)));
        if (folder && !(record.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            listFiles(path, temp, keep, listing);
    } while (FindNextFileA(search, &record));
    FindClose(search);
}

void listValues(HKEY key, const std::string& path, std::vector<std::string>& listing)
{
    char name[16384];
    std::vector<unsigned char> data(1 << 16);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, dataSize = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            return;
        std::string line = path + " = \"" + std::string(name, nameSize) + "\" " + std::to_string(type);
        for (DWORD b = 0; b < dataSize; ++b)
            line += " " + std::to_string(data[b]);
        listing.push_back(line);
    }
}

// Keys whose values Wine rewrites while programs run (the display driver's among
// them), and the deletions pending for the next start.
bool volatileKey(const std::string& path)
{
    for (const char* start : {"HARDWARE", "SYSTEM\\CurrentControlSet\\Control\\Video",
                              "SYSTEM\\CurrentControlSet\\Control\\Class", "Software\\Wine",
                              "SYSTEM\\CurrentControlSet\\Control\\Session Manager"})
        if (_strnicmp(path.c_str(), start, strlen(start)) == 0)
            return true;
    return false;
}

void listKeys(HKEY parent, const std::string& path, std::vector<std::string>& listing)
{
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    listing.push_back(path);
    if (!volatileKey(path))
        listValues(key, path, listing);
    char name[256];
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& child : children)
        if (child.rfind("T5RegistryKeyTest-", 0) != 0 && child != "T5Tests")
            listKeys(parent, path.empty() ? child : path + "\\" + child, listing);
}

} // namespace

HANDLE startProgram(const std::string& arguments, HANDLE out, HANDLE err, DWORD flags)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    const std::string program = programtesting::buildFile("VxUninstallCli.exe");
    std::string line = "\"" + program + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW | flags, nullptr, nullptr,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

StalledRun::StalledRun(const std::string& arguments)
{
    HANDLE writer = nullptr;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&reader, &writer, &inherit, 1))
        return;
    SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
    process = startProgram(arguments, writer, writer, CREATE_NEW_PROCESS_GROUP);
    CloseHandle(writer);
}

StalledRun::~StalledRun()
{
    release();
}

bool StalledRun::waitUntilStalled() const
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(10)) {
        DWORD available = 0;
        if (!PeekNamedPipe(reader, nullptr, 0, nullptr, &available, nullptr))
            return false;
        if (available > 0)
            return true;
    }
    return false;
}

DWORD StalledRun::release()
{
    char buffer[4096];
    for (DWORD read = 0; reader && ReadFile(reader, buffer, sizeof buffer, &read, nullptr) && read > 0;) {
    }
    CloseHandle(reader);
    reader = nullptr;
    DWORD exitCode = 0xFFFFFFFF;
    if (process) {
        WaitForSingleObject(process, 120000);
        GetExitCodeProcess(process, &exitCode);
        CloseHandle(process);
        process = nullptr;
    }
    return exitCode;
}

ProgramRun runProgram(const std::string& arguments, const std::function<void()>& meanwhile)
{
    OutputFile out, err;
    ProgramRun run;
    run.exitCode = 0xFFFFFFFF;
    if (HANDLE process = startProgram(arguments, out.handle, err.handle)) {
        if (meanwhile)
            meanwhile();
        WaitForSingleObject(process, 120000);
        GetExitCodeProcess(process, &run.exitCode);
        CloseHandle(process);
    }
    run.out = out.text();
    run.err = err.text();
    return run;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line.empty() || line.back() != '\r' ? line : line.substr(0, line.size() - 1));
    return result;
}

std::vector<std::string> linesAfter(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> result;
    for (const std::string& line : lines(text))
        if (line.compare(0, prefix.size(), prefix) == 0)
            result.push_back(line.substr(prefix.size()));
    return result;
}

std::vector<std::string> machineListing(const std::string& keep)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::vector<std::string> listing;
    listFiles("C:", temp, keep, listing);
    listKeys(HKEY_LOCAL_MACHINE, "", listing);
    std::vector<std::string> users;
    listKeys(HKEY_USERS, "", users);
    for (const std::string& entry : users)
        listing.push_back("HKU\\" + entry);
    return listing;
}

std::vector<std::string> pendingDeletions()
{
    char data[65536] = {};
    DWORD size = sizeof data - 2;
    RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                 "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, data, &size);
    // Pairs of a source and an empty target: the empty ones end no list here.
    std::vector<std::string> entries;
    for (const char* entry = data; entry < data + size; entry += strlen(entry) + 1)
        if (*entry)
            entries.push_back(entry);
    return entries;
}

std::vector<std::string> changes(std::vector<std::string> before, std::vector<std::string> after)
{
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    std::vector<std::string> gone, added, result;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    for (const std::string& entry : gone)
        result.push_back("- " + entry);
    for (const std::string& entry : added)
        result.push_back("+ " + entry);
    result.resize(std::min<size_t>(result.size(), 20));
    return result;
}

} // namespace consoletesting
