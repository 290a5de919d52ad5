// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/PrintLayout.h"

#include <QFont>
#include <QPageLayout>
#include <QString>

#include <optional>

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

// The description of a PDF file a printout goes to.
struct PdfTarget
{
    QString path;
    QString title;
    QString creator;
    // Paper and orientation (the margins are the stored ones); none: the
    // PDF writer's own default.
    std::optional<QPageLayout> layout;
};

// PrintSections() into a PDF file, written beside the target and put in its
// place once whole, so a failure leaves any earlier file as it was and no
// part of one. Throws KeltoError naming the file when it cannot be written.
void PrintSectionsToPdf(const PdfTarget& target, const Notebook& notebook,
                        const std::vector<const Section*>& sections, bool contents,
                        bool documentInfo, const TpIniFile& settings);

} // namespace kelto
