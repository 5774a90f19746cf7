// dalvimo-setup.exe: what the installer and the uninstaller hand over to
// the system's own API, each a command with an exit status they act on.
//
//   running FOLDER           0: none of the package's programs runs from
//                            FOLDER; 1: one does
//   close FOLDER             asks them to end (running_programs.h) and
//                            waits; 0: all ended, 1: some still run
//   commit STAGE FOLDER KEY  the new files from STAGE into FOLDER, all or
//                            none (file_swap.h); 0: done, 1: undone
//   remove FOLDER KEY        the files listed under KEY out of FOLDER, all
//                            or none; 0: done, 1: undone
//   path-add KEY ENTRY [OLD] ENTRY onto the user's PATH, OLD off it
//                            (user_path.h); 0: done, 3: PATH left as it was
//   path-remove KEY          what path-add added, off again; 0 or 3
//
// KEY is a key under HKEY_CURRENT_USER (the uninstall entry).
#include "file_swap.h"
#include "running_programs.h"
#include "user_path.h"

#include <string>

namespace {

constexpr int kUsage = 64;
constexpr DWORD kCloseTimeoutMs = 20000;

int pathStatus(setup::UserPath::Result result) { return result == setup::UserPath::Result::Done ? 0 : 3; }

} // namespace

int wmain(int argc, wchar_t **argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"running" && argc == 3)
        return setup::RunningPrograms(argv[2]).any() ? 1 : 0;
    if (command == L"close" && argc == 3)
        return setup::RunningPrograms(argv[2]).close(kCloseTimeoutMs) ? 0 : 1;
    if (command == L"commit" && argc == 5)
        return setup::FileSwap(argv[3], argv[4]).commit(argv[2]) ? 0 : 1;
    if (command == L"remove" && argc == 4)
        return setup::FileSwap(argv[2], argv[3]).remove() ? 0 : 1;
    if (command == L"path-add" && (argc == 4 || argc == 5))
        return pathStatus(setup::UserPath(argv[2]).add(argv[3], argc == 5 ? argv[4] : L""));
    if (command == L"path-remove" && argc == 3)
        return pathStatus(setup::UserPath(argv[2]).remove());
    return kUsage;
}
