#include "console/BackupRestore.h"

#include "console/BackupManifest.h"
#include "console/FileCopies.h"
#include "console/RegistryTreeText.h"
#include "foundation/FileIdentity.h"
#include "foundation/KernelHandle.h"
#include "foundation/PathText.h"

#include <map>
#include <string>
#include <vector>

namespace {

// A backup's own files are small but for the copies, which are read as files.
const DWORD largestText = 64u << 20;

bool readText(const String& path, String& text)
{
    KernelHandle file(CreateFileA(path.cStr(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    DWORD size = file.isOpen() ? GetFileSize(file.get(), nullptr) : INVALID_FILE_SIZE;
    if (size == INVALID_FILE_SIZE || size > largestText)
        return false;
    std::vector<char> bytes(size + 1);
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), size, &got, nullptr) || got != size)
        return false;
    text = String(bytes.data(), static_cast<int>(got));
    return true;
}

class Restorer {
public:
    Restorer(const String& folder, bool force, const RestoreListener& listener)
        : folder(folder), force(force), listener(listener)
    {
    }

    void item(const ManifestItem& item)
    {
        if (item.kind == ManifestItem::Kind::key)
            return key(item);
        // Written with the system's rights: never through a link.
        if (inLinkedFolder(item.path))
            return listener(RestoreOutcome::failed, item.path, ERROR_CANT_ACCESS_FILE);
        if (item.kind == ManifestItem::Kind::folder)
            return makeFolder(item);
        DWORD error = 0;
        switch (putBack(folder + "\\" + savedName(item), item.path, item.record, force, error)) {
        case PutBack::restored: return listener(RestoreOutcome::restored, item.path, 0);
        case PutBack::unchanged: return listener(RestoreOutcome::unchanged, item.path, 0);
        case PutBack::differs: return listener(RestoreOutcome::differs, item.path, 0);
        default: return listener(RestoreOutcome::failed, item.path, error);
        }
    }

    // A folder's times move while its entries come back: they are set last.
    void setFolderTimes()
    {
        for (const ManifestItem* made : madeFolders) {
            KernelHandle entry(CreateFileA(made->path.cStr(), FILE_WRITE_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                           nullptr));
            const FileRecord& record = made->record;
            if (!entry.isOpen() || !SetFileTime(entry.get(), &record.created, &record.accessed, &record.written))
                listener(RestoreOutcome::failed, made->path + "\\", GetLastError());
        }
    }

private:
    // Whether a folder above path is a link, asked once per folder.
    bool inLinkedFolder(const String& path)
    {
        String parent = withoutTrailingBackslashes(path);
        int separator = lastBackslash(parent);
        parent = separator > 0 ? parent.mid(0, separator) : String("");
        std::string key = caseFoldedPath(parent);
        auto known = linkedFolders.find(key);
        if (known == linkedFolders.end())
            known = linkedFolders.emplace(key, parent.length() == 0 || passesThroughLink(parent)).first;
        return known->second;
    }

    void makeFolder(const ManifestItem& item)
    {
        const String shown = item.path + "\\";
        DWORD attributes = GetFileAttributesA(item.path.cStr());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            return listener((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? RestoreOutcome::unchanged
                                                                          : RestoreOutcome::differs,
                            shown, 0);
        if (!CreateDirectoryA(item.path.cStr(), nullptr))
            return listener(RestoreOutcome::failed, shown, GetLastError());
        SetFileAttributesA(item.path.cStr(), item.record.attributes);
        madeFolders.push_back(&item);
        listener(RestoreOutcome::restored, shown, 0);
    }

    void key(const ManifestItem& item)
    {
        const String shown = "HKLM\\" + item.path;
        String text;
        if (!readText(folder + "\\" + savedName(item), text))
            return listener(RestoreOutcome::failed, shown, GetLastError() ? GetLastError() : ERROR_INVALID_DATA);
        TreeRestore result = restoreKeyTree(text, force);
        for (const String& value : result.differing)
            listener(RestoreOutcome::differs, value, 0);
        if (result.error != ERROR_SUCCESS)
            listener(RestoreOutcome::failed, shown, static_cast<DWORD>(result.error));
        else if (result.differing.empty())
            listener(result.written > 0 ? RestoreOutcome::restored : RestoreOutcome::unchanged, shown, 0);
    }

    String folder;
    bool force;
    const RestoreListener& listener;
    std::vector<const ManifestItem*> madeFolders;
    std::map<std::string, bool> linkedFolders;
};

} // namespace

bool readBackup(const String& folder, Manifest& manifest, String& why)
{
    String text;
    why = "";
    if (folder.length() == 0)
        why = "its path cannot be resolved";
    else if (passesThroughLink(folder))
        why = "it is a link or lies in a folder that is one";
    else if (!readText(folder + "\\" + manifestFileName, text))
        why = "it holds no list of saved items (manifest.txt)";
    else if (!readManifest(text, manifest))
        why = "its list of saved items (manifest.txt) is damaged";
    return why.length() == 0;
}

void restoreBackup(const String& folder, const Manifest& manifest, bool force, const RestoreListener& listener)
{
    Restorer restorer(withoutTrailingBackslashes(folder), force, listener);
    for (auto item = manifest.items.rbegin(); item != manifest.items.rend(); ++item)
        restorer.item(*item);
    restorer.setFolderTimes();
}
