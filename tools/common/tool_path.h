// Path arguments as the client writes them on its command lines.
// Depends on nothing but the C++ library.
#pragma once

#include <string>

// The client names files the Windows way ("temp\image2.png"): every '\' is a
// folder separator and becomes '/'.
std::string native_path(const std::string& argument);
