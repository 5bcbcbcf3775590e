#pragma once

#include "io/document_file.h"
#include "model/document.h"

// The program's own defaults: the styles new elements of each kind take, and
// the fonts and colours of texts and numbers. A new document starts with them,
// and a file too old to store them takes them. Chosen so that a first start
// shows every kind clearly: points as red balls, lines as thin tubes, surfaces
// in light colours that the translucent pass keeps apart.
DocumentDefaults builtInDocumentDefaults();

// Gives a document the styles, fonts and colours of the defaults.
void applyDocumentDefaults(const DocumentDefaults& defaults, Document& document);
