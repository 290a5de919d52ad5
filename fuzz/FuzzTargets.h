// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Each reader of outside data has one fuzz entry. It takes any bytes, feeds
// them to the reader as a file or a file image would, and checks what the
// reader promises (a read that succeeds writes back and reads again the
// same). A broken promise aborts, which both libFuzzer and the replay test
// report. The entries run under libFuzzer (fuzz/LibFuzzerMain.cpp) and as an
// ordinary test over the stored corpora (tests/fuzz).
namespace kelto::fuzz {

using Entry = int (*)(const std::uint8_t* data, std::size_t size);

int notebookReader(const std::uint8_t* data, std::size_t size);
int outlineReader(const std::uint8_t* data, std::size_t size);
int settingsReader(const std::uint8_t* data, std::size_t size);
int templatesReader(const std::uint8_t* data, std::size_t size);
int treePadImport(const std::uint8_t* data, std::size_t size);
int textImport(const std::uint8_t* data, std::size_t size);
int textExport(const std::uint8_t* data, std::size_t size);
int htmlExport(const std::uint8_t* data, std::size_t size);

// The input as bytes, without copying.
QByteArray bytesOf(const std::uint8_t* data, std::size_t size);

// A byte that picks the options of a run: the input's last byte, so a
// mutation of the tail varies the options while the rest of a seed stays a
// valid file.
unsigned selector(const std::uint8_t* data, std::size_t size);

// A file of this process in the temporary folder holding the input, named
// with the given suffix; rewritten for every input.
QString scratchFile(const std::uint8_t* data, std::size_t size, const QString& suffix);

// Stops the process with the message when a promise does not hold.
void require(bool condition, const char* what);

} // namespace kelto::fuzz
