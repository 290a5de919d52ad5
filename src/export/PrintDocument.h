// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintLayout.h"

#include <QFont>

class QPagedPaintDevice;

namespace kelto {

class TpIniFile;
struct FontSpec;

// A stored font as the program shows it; a missing font of Windows origin
// keeps its kind (a Courier stays fixed-pitch).
QFont fontFromSpec(const FontSpec& stored);

// The page of a printer or PDF writer as its page layout reports it.
PrinterMetrics metricsOf(const QPagedPaintDevice& device);

// Prints the sections as composePrint() lays them out on device (whose
// painter starts at the paper's corner), inside the stored margins, in the
// editor font, flowing from page to page. Throws KeltoError when the
// margins leave no room for text or the device cannot be painted on; then
// nothing is printed.
void PrintSections(QPagedPaintDevice& device, const Notebook& notebook,
                   const std::vector<const Section*>& sections, bool contents, bool documentInfo,
                   const TpIniFile& settings);

} // namespace kelto
