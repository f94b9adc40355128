#include "despatch/DespatchList.h"
#include "despatch/SummaryLines.h"

#include <QtTest>

using namespace quorra;
using namespace Qt::StringLiterals;

class TestSummary : public QObject {
    Q_OBJECT
private slots:
    void despatchListEmpty();
    void despatchListFilled();
    void summaryEmpty();
    void summaryFilled();
    void serviceAddresses();
};

namespace {

PictureFields somePictures() {
    PictureFields p;
    p.logo = u"  C:\\pics\\logo.bmp  "_s;
    p.picture1 = u"/home/ann/shop front.jpg"_s;
    p.products[1] = u"\t/pics/b.png "_s; // a tab is not a blank
    p.products[4] = u"/pics/e.png"_s;
    return p;
}

} // namespace

void TestSummary::despatchListEmpty() {
    QCOMPARE(despatchList(u"/app/Harbour.html"_s, {}),
             u"The following files need to be despatched by either email or posted on a floppy disk:\r\n"
             "\r\n"
             "Theme File        /app/Harbour.html\r\n"
             "Company Logo      \r\n"
             "Add. Picture 1    \r\n"
             "Add. Picture 2    \r\n"
             "Product Picture 1 \r\n"
             "Product Picture 2 \r\n"
             "Product Picture 3 \r\n"
             "Product Picture 4 \r\n"
             "Product Picture 5 \r\n"
             "\r\n"
             "Consult the PUBLISHING section in the manual for further details."_s);
}

void TestSummary::despatchListFilled() {
    const QStringList lines = despatchList(u"/app/Abcdefg.html"_s, somePictures()).split(u"\r\n"_s);
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines.at(3), u"Company Logo      C:\\pics\\logo.bmp"_s);
    QCOMPARE(lines.at(4), u"Add. Picture 1    /home/ann/shop front.jpg"_s);
    QCOMPARE(lines.at(7), u"Product Picture 2 \t/pics/b.png"_s);
    QCOMPARE(lines.at(10), u"Product Picture 5 /pics/e.png"_s);
}

void TestSummary::summaryEmpty() {
    SummaryInput input;
    input.themeEntry = u" Classic blue "_s;
    input.pageFile = u"/app/Classic.html"_s;
    const QStringList expected{
        u""_s,
        u""_s,
        u"Q U O R R A  D E V E L O P M E N T  W I Z A R D"_s,
        u""_s,
        u""_s,
        u"You have input the following data:"_s,
        u""_s,
        u""_s,
        u""_s,
        u"You selected the  Classic blue  template"_s,
        u"Company Name      :"_s,
        u"Company Address   :"_s,
        u"Company Telephone :"_s,
        u"Company Fax       :"_s,
        u"Contact Name  :"_s,
        u"Email address :"_s,
        u""_s,
        u""_s,
        u"You must depatch the following files to the address below by either email or post."_s,
        u""_s,
        u""_s,
        u"Email : pages@marlix.example.com"_s,
        u""_s,
        u"Postal Address"_s,
        u"Marlix Networks"_s,
        u"Marlix House, 12 Example Road, Exampleton EX1 2MP"_s,
        u""_s,
        u""_s,
        u"Program created file :/app/Classic.html"_s,
        u""_s,
        u"Company Logo         :"_s,
        u"Additional image 1   :"_s,
        u"Additional image 2   :"_s,
        u""_s,
        u"Product Picture 1    :"_s,
        u"Product Picture 2    :"_s,
        u"Product Picture 3    :"_s,
        u"Product Picture 4    :"_s,
        u"Product Picture 5    :"_s,
        u""_s,
        u""_s,
        u"Please read the section of the manual titled PUBLISHING before sending the information to Marlix Networks."_s,
    };
    QCOMPARE(summaryLines(input), expected);
}

void TestSummary::summaryFilled() {
    SummaryInput input;
    input.themeEntry = u"Orchard green"_s;
    input.companyName = u"  Acme  Ltd "_s;
    input.companyAddress = u" 1 High St\r\nTown "_s;
    input.telephone = u"01234"_s;
    input.fax = u" "_s;
    input.contactName = u"Ann"_s;
    input.email = u"ann@acme.example.com "_s;
    input.pageFile = u"/app/Orchard.html"_s;
    input.pictures = somePictures();
    const QStringList lines = summaryLines(input);
    QCOMPARE(lines.size(), 42);
    QCOMPARE(lines.at(9), u"You selected the Orchard green template"_s);
    QCOMPARE(lines.at(10), u"Company Name      :Acme  Ltd"_s);
    QCOMPARE(lines.at(11), u"Company Address   :1 High St\r\nTown"_s);
    QCOMPARE(lines.at(12), u"Company Telephone :01234"_s);
    QCOMPARE(lines.at(13), u"Company Fax       :"_s);
    QCOMPARE(lines.at(14), u"Contact Name  :Ann"_s);
    QCOMPARE(lines.at(15), u"Email address :ann@acme.example.com"_s);
    QCOMPARE(lines.at(28), u"Program created file :/app/Orchard.html"_s);
    QCOMPARE(lines.at(30), u"Company Logo         :C:\\pics\\logo.bmp"_s);
    QCOMPARE(lines.at(31), u"Additional image 1   :/home/ann/shop front.jpg"_s);
    QCOMPARE(lines.at(35), u"Product Picture 2    :\t/pics/b.png"_s);
    QCOMPARE(lines.at(38), u"Product Picture 5    :/pics/e.png"_s);
}

void TestSummary::serviceAddresses() {
    QVERIFY(QStringView(ServiceEmail).endsWith(u"example.com"));
    QVERIFY(!QStringView(ServicePostalAddress).contains(u'\n'));
}

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"
