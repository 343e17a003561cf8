// The encrypted file format and the two directions of the tool.
// Depends on: key_material.h; libsodium in secret_stream.cpp. Opens no files: callers pass the streams.
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

// What a file is, from its first bytes (up to the magic's 8): one that
// starts with the magic is encrypted; one of at least 4 bytes whose first
// bytes differ from the magic's in 1 or 2 places (a flipped bit, a cut) is
// a damaged encrypted file, never to be taken for a plaintext; anything
// else is a plaintext.
enum class InputKind { Encrypted, DamagedEncrypted, Plain };
InputKind classify_input(const unsigned char* head, std::size_t size);

// The same from a stream, which is left just past the bytes examined, so
// callers rewind.
InputKind classify_input(FILE* in);

// Both read `in` from its start and write `out` in chunks: memory stays
// bounded whatever the file size. False on a read or write error, and when
// opening fails (wrong key, damaged or truncated file).
bool encrypt_stream(FILE* in, FILE* out, const StreamKey& key);
bool decrypt_stream(FILE* in, FILE* out, const StreamKey& key);
