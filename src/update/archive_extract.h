#pragma once
// Unpacking of the downloaded data-image archive (7z) into one output file.

#include <string>

// Shaped like the command line of the 7z decoder's sample program.
struct Extract7zArguments {
    std::string program;  // not read
    std::string command;  // "x"
    std::string archive;  // path in the ANSI code page
    std::wstring output;  // every file item of the archive goes here
};

// 0 on success. 1 on failure, with errorText set to the reason where there is a text for it
// and left as it was otherwise. The file left at output holds the archive's last file item;
// an archive without any file item fails and leaves no output file.
int Extract7z(const Extract7zArguments& arguments, std::wstring& errorText);
