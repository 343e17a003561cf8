// The encrypted file format and the two directions of the tool.
//
// Layout: the 8-byte magic, the 24-byte stream header, then the plaintext in
// chunks of 64 KiB, each sealed with libsodium's secretstream
// (XChaCha20-Poly1305, 17 bytes of tag and MAC per chunk). The last chunk,
// shorter than a full one and possibly empty, carries the FINAL tag, so a
// truncated, extended, reordered or altered file fails to open. The header
// holds a random nonce: the same file and key never give the same bytes.
#pragma once

#include <cstdio>

#include "key_material.h"

constexpr unsigned char kEncryptedMagic[8] = {'Q', 'F', 'E', 'N', 'C', '0', '1', '\n'};

// True when the stream starts with the magic; the stream is left just past
// the bytes examined either way, so callers rewind.
bool starts_with_magic(FILE* in);

// Both read `in` from its start and write `out` in chunks: memory stays
// bounded whatever the file size. False on a read or write error, and when
// opening fails (wrong key, damaged or truncated file).
bool encrypt_stream(FILE* in, FILE* out, const StreamKey& key);
bool decrypt_stream(FILE* in, FILE* out, const StreamKey& key);
