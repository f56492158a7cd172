#pragma once
// The copy of the running settings kept in the score file at exit.

namespace platform {
class RecordFile;
}

// Updates records 1, 12, 13, 16, 17 and 18 of the open score file, each read,
// changed and written back so the fields it does not own survive. A file that is
// not open with score records is left alone.
void SaveSettings(platform::RecordFile& scores);
