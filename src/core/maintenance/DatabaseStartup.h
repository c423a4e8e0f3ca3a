#pragma once

#include <QString>

class dvData;

// Opening the database at start-up, without a window: the desktop program asks the user and
// shows the answers, the command-line tool prints them.
//
//   open()     points the context at the file (creating and seeding a missing one), examines
//              it, and runs the upgrade steps on a valid one. Only a file that is not a database
//              of ours comes back NotValid, for which the user may be offered a rebuild; a
//              database that is in use, unreadable, damaged and so on comes back Failed with a
//              message naming the cause, and nothing is changed.
//   rebuild()  after the user agreed: keeps the file, with its journals, as the ".bad" copy,
//              builds a new database under a temporary name and puts it in the old one's place
//              in one step, and notes today as the day of the last compact and backup.
class DatabaseStartup {
public:
    enum class Outcome {
        Ready,    // the database is open for use
        NotValid, // the file is not a database of ours: ask whether to rebuild it
        Failed,   // the program cannot go on; message says why
    };
    struct Result {
        Outcome outcome = Outcome::Failed;
        // For NotValid and Failed: a sentence naming the file and the cause.
        QString message;
    };

    static Result open(dvData& data, const QString& file);
    static Result rebuild(dvData& data);

    // The name the replaced file is kept under: "mdb" in the file's name becomes "bad".
    static QString badFileName(const QString& path);
};
