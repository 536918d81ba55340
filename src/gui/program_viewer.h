#pragma once

namespace zvk {

class DocumentViewer;

// The viewer that shows the program's finished reports and consignment notes: the
// desktop's own, unless another was put in its place (tests record instead).
DocumentViewer& ProgramDocumentViewer();
// Null brings the desktop's own viewer back.
void SetProgramDocumentViewer(DocumentViewer* viewer);

} // namespace zvk
