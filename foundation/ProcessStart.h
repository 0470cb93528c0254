// The first steps of a program that runs elevated, shared by the window program
// and its console companion. Both are often started from a folder anyone can
// write to, where a planted copy of a DLL would otherwise be found first.
#pragma once

// Makes the system folder the only folder searched for DLLs loaded by name,
// including those the system loads on the process's behalf (UXTHEME at the first
// window). Where SetDefaultDllDirectories is missing (Windows 7 without its
// loader update) it at least takes the current folder out of the search.
// Safe to call more than once; the first call should come before any window.
void restrictDllSearch();

// Makes the system folder the current folder. A program is often started with its
// own folder as the current one; kept, that would hold a folder it lies in open
// against its removal, and the current folder is a place the process must not
// look for anything.
void enterSystemFolder();
