#pragma once

#include "FrameClosedDialog.h"

class PageFetcher;
class QLabel;
class QPushButton;
class RunRandom;

// The paid-services box: the four manual services and last week's usage,
// fetched anew each time the box becomes the active form.
class Form2 : public FrameClosedDialog
{
    Q_OBJECT
public:
    Form2(PageFetcher &fetcher, RunRandom &random, QWidget *parent = nullptr);

    QLabel *Label10() const { return m_label10; }
    QPushButton *Command1() const { return m_command1; }

    void Form_Activate();
    void Command1_Click();

private:
    PageFetcher &m_fetcher;
    RunRandom &m_random;
    QLabel *m_label10 = nullptr;
    QPushButton *m_command1 = nullptr;
};
