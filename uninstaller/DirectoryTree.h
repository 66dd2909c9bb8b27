#pragma once
#include <string>

// Deletes a folder's files and folders depth first, then the folder itself.
// What cannot be deleted (in use, read-only) stays, and so do the folders
// above it. Junctions and directory links are removed as links: the walk
// never leaves the tree through them.
void DeleteDirectoryTree(std::wstring path);
