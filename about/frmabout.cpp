#include "about/frmabout.h"

#include "platform/application.h"

namespace gridlore {

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(applicationTitle() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
}

} // namespace gridlore
