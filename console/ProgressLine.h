// Items done of items planned, on one line of a console that is redrawn in place
// at most a few times a second. Shown only when the stream is a console, so that
// it never reaches a file, a pipe or the log.
#pragma once

class ConsoleStream;

class ProgressLine {
public:
    explicit ProgressLine(ConsoleStream& stream);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    bool isEnabled() const;
    void start(int planned);
    // One more item done.
    void advance();
    // Takes the line off the screen before other output; the next advance brings it back.
    void hide();

private:
    void draw();

    ConsoleStream& stream;
    int planned = 0;
    int done = 0;
    int drawnLength = 0;
    unsigned long lastDraw = 0;
    bool running = false;
};
