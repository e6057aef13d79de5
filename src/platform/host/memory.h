// The host's memory under the emulated hardware: reserved address space, a file in memory mapped
// wherever it is asked for, and whether bytes can be read at all.
#pragma once

#include <cstddef>

namespace platform::memory {

size_t pageSize();

// Address space with nothing behind it (every access faults); null on failure.
void* reserve(size_t bytes);
// Gives back address space, with whatever was mapped into it.
bool release(void* address, size_t bytes);

// A file in memory of the given size, or -1.
int createFile(const char* name, size_t bytes);
void closeFile(int file);
// Maps bytes of the file for reading and writing, at the page-aligned address given (replacing what was
// there) or, for null, wherever the host likes; null on failure.
void* mapFile(int file, size_t offset, size_t bytes, void* at);

// False when any of the bytes cannot be read.
bool readable(const void* address, size_t bytes);

}  // namespace platform::memory
