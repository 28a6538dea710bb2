#pragma once
#include <QString>

namespace orvalen {

class ProgramFolder;

// Brings a chosen picture into <folder>/picture/ and returns its bare name
// there. The picture must be a regular file (links resolved) that decodes.
// A file of the same name with the same contents is reused; one with other
// contents is kept, and the picture is stored under the first free name
// "name(2).ext", "name(3).ext", ...
// Nothing is ever overwritten. An empty result means failure; *error then
// holds a message for the operator.
QString copyPictureIn(const ProgramFolder& folder, const QString& source, QString* error);

// The file of a picture name for the background: a bare name is looked up in
// <folder>/picture/ (never in the working folder), an absolute path is taken
// as it is. Empty when there is no such file.
QString backgroundPicturePath(const ProgramFolder& folder, const QString& name);

} // namespace orvalen
