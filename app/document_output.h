#pragma once

class TFGlowna;
struct DocumentType;

// Where the pupil commands hand a document over to the page renderer and the print dialog.

// Draws `type` from its form into the main window's two page pictures; `print` also draws the
// marks that only go on paper. False when the document could not be drawn whole, a mark
// included (the renderer has told the user why): there is nothing to print then.
bool bFunRenderDocumentPages(TFGlowna& window, const DocumentType& type, bool print);

// Shows the print dialog modally with the pages and page count of the last rendering, which
// the print command has just made with `print` on.
void vFunShowPrintDialog(TFGlowna& window);
