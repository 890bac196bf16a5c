#pragma once

#include "MainWindowHost.h"
#include "ProgramFolder.h"
#include "ProgramVersion.h"
#include "Twips.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <memory>

// ---------------------------------------------------------------------------
// PLACEHOLDER for the main window Form1: until Form1 is bound here, the
// start-up window hands over to this plain window, which shows the product
// title and the location line at the places of Form1.Label1 and Form1.Label2
// over the title and background pictures of the program folder.
// Binding Form1: writeLocation sets Form1.Label2's caption (creating and
// loading Form1 on first use), showMain shows Form1.
// ---------------------------------------------------------------------------
class MainWindowAdapter : public MainWindowHost
{
public:
    explicit MainWindowAdapter(const ProgramFolder &folder) : m_folder(folder) {}

    void writeLocation(const QString &line) override
    {
        load();
        m_label2->setText(line);
        m_label2->adjustSize();
    }

    void showMain() override
    {
        load();
        m_window->show();
        m_window->activateWindow();
    }

    bool isLoaded() const override { return m_window != nullptr; }

    QWidget *window() const { return m_window.get(); }
    QLabel *locationLabel() const { return m_label2; }

private:
    void load()
    {
        if (m_window)
            return;
        m_window = std::make_unique<QWidget>();
        m_window->setObjectName(QStringLiteral("Form1"));
        m_window->setWindowTitle(ProductTitle());
        m_window->setFixedSize(Twips::toPixels(12000), Twips::toPixels(8550));
        m_window->setAutoFillBackground(true);
        QPalette white = m_window->palette();
        white.setColor(QPalette::Window, Qt::white);
        m_window->setPalette(white);
        auto *title = new QLabel(m_window.get());
        title->setGeometry(Twips::rect(0, 0, 12000, 1140));
        title->setPixmap(QPixmap(m_folder.path(QStringLiteral("\\IMG\\Title.jpg"))));
        auto *background = new QLabel(m_window.get());
        background->setGeometry(Twips::rect(0, 1560, 12000, 6990));
        background->setPixmap(QPixmap(m_folder.path(QStringLiteral("\\IMG\\Main.jpg"))));
        const QString statusStyle = QStringLiteral("color: rgb(204,233,242); background: transparent;");
        auto *label1 = new QLabel(ProductTitle(), m_window.get());
        label1->setObjectName(QStringLiteral("Label1"));
        label1->setGeometry(Twips::rect(120, 8220, 1080, 210));
        label1->setStyleSheet(statusStyle);
        label1->adjustSize();
        m_label2 = new QLabel(QStringLiteral("已连接Valentor云数据中心"), m_window.get());
        m_label2->setObjectName(QStringLiteral("Label2"));
        m_label2->setGeometry(Twips::rect(9540, 8220, 2160, 210));
        m_label2->setToolTip(QStringLiteral("获取地理位置信息有助于更好地为您选择更快的服务器"));
        m_label2->setStyleSheet(statusStyle);
        m_label2->adjustSize();
    }

    ProgramFolder m_folder;
    std::unique_ptr<QWidget> m_window;
    QLabel *m_label2 = nullptr;
};
