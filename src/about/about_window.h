#pragma once
#include <QDialog>

class QPushButton;

namespace orvalen {

struct AppContext;
class Launcher;

// The about window "公众号": a square picture that opens the article page
// and closes the window, and the line "关注公众号，点击查看教学视频" that
// only closes it. The page is [About] `url` of TimeData.db; with none set the
// picture opens the program's own help pages.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    AboutWindow(AppContext& ctx, Launcher& launcher, QWidget* parent = nullptr);

    QPushButton* picture() const { return m_picture; }
    QPushButton* caption() const { return m_caption; }

private:
    void openPage();

    AppContext& m_ctx;
    Launcher& m_launcher;
    QPushButton* m_picture = nullptr;
    QPushButton* m_caption = nullptr;
};

} // namespace orvalen
