// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCommands.h"

#include "AdnlActns.h"
#include "BusyCursor.h"
#include "CommandHost.h"
#include "CommandIds.h"
#include "KeltoRichEd.h"
#include "UserPrompts.h"
#include "common/KeltoError.h"
#include "document/ImportFile.h"
#include "document/Notebook.h"

#include <QDir>

namespace kelto {

ImportCommands::ImportCommands(CommandHost& host, Notebook& notebook, TKeltoEdit& editor,
                               UserPrompts& prompts, QWidget* parent, Hooks hooks)
    : m_notebook(notebook), m_editor(editor), m_prompts(prompts), m_parent(parent),
      m_hooks(std::move(hooks))
{
    host.wireCommand(cmd::ServiceImport, [this] {
        const QString path = m_prompts.importFileName(m_parent, QDir::currentPath());
        if (!path.isEmpty())
            importFile(path);
    });
}

void ImportCommands::importFile(const QString& path)
{
    if (importKindOf(path) == ImportKind::Other)
        insertFileText(path);
    else
        importSections(path);
}

void ImportCommands::importSections(const QString& path)
{
    const BusyCursor busy;
    const auto showLoading = [this](bool shown) {
        if (m_hooks.showLoading)
            m_hooks.showLoading(shown);
    };
    showLoading(true);
    const bool treePad = importKindOf(path) == ImportKind::TreePad;
    Section* const selected = m_notebook.current();
    ImportResult result;
    try {
        result = ImportFile(path, m_notebook, selected);
    } catch (...) {
        showLoading(false);
        throw;
    }
    showLoading(false);
    // A TreePad import leaves the top of the tree selected and the notebook
    // marked modified, also when the file held nothing or broke off early
    // (the sections read before a fault stay). Other files select what they
    // added.
    if (treePad && selected)
        m_notebook.setCurrent(m_notebook.firstSection());
    else if (result.first)
        m_notebook.setCurrent(result.first);
    if (treePad || result.first)
        m_notebook.setModified(true);
    if (!result.error.isEmpty())
        throw KeltoError(result.error);
}

void ImportCommands::insertFileText(const QString& path)
{
    if (!m_notebook.current() || !m_editor.body())
        return;
    editactions::replaceSelection(m_editor, fileLinesText(path));
}

} // namespace kelto
