#pragma once

#include "MainWindowHost.h"
#include "ProgramVersion.h"
#include "Twips.h"

#include <QLabel>
#include <QWidget>
#include <memory>

// ---------------------------------------------------------------------------
// PLACEHOLDER for the main window Form1: until Form1 is bound here, the
// start-up window hands over to this plain window, which shows the product
// title and the location line at the places of Form1.Label1 and Form1.Label2.
// Binding Form1: writeLocation sets Form1.Label2's caption (creating and
// loading Form1 on first use), showMain shows Form1.
// ---------------------------------------------------------------------------
class MainWindowAdapter : public MainWindowHost
{
public:
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
        m_window->setStyleSheet(QStringLiteral("background: #FFFFFF;"));
        auto *label1 = new QLabel(ProductTitle(), m_window.get());
        label1->setObjectName(QStringLiteral("Label1"));
        label1->setGeometry(Twips::rect(120, 8220, 1080, 210));
        label1->adjustSize();
        m_label2 = new QLabel(QStringLiteral("已连接Valentor云数据中心"), m_window.get());
        m_label2->setObjectName(QStringLiteral("Label2"));
        m_label2->setGeometry(Twips::rect(9540, 8220, 2160, 210));
        m_label2->setToolTip(QStringLiteral("获取地理位置信息有助于更好地为您选择更快的服务器"));
        m_label2->adjustSize();
    }

    std::unique_ptr<QWidget> m_window;
    QLabel *m_label2 = nullptr;
};
