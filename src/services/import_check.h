#pragma once
#include <QString>

class QIODevice;

namespace orvalen {

// What the file choosers let into the program folder: only files this
// program can show or play.

// True when the device holds a picture that decodes (any format the image
// plugins read, within the image allocation limit).
bool pictureReadable(QIODevice& device);
bool pictureFileReadable(const QString& path);

// True when the file is a sound the player plays: named .wav or .mp3, and
// either a RIFF/WAVE file whose fmt and data chunks lie inside the file, or
// MPEG audio (an ID3 tag or a frame header, and where the file goes on, the
// next frame header where the first frame ends). Reads the headers only.
bool soundFilePlayable(const QString& path);

// The choosers' filters in the "description|patterns" form: every picture
// format the image plugins read, and the two sound kinds; each pattern in
// lower and upper case.
QString pictureFilter();
QString soundFilter();

} // namespace orvalen
