object SupplyForm: TForm
  Caption = 'Supply'
  ClientWidth = 236
  ClientHeight = 44
  object Voltage: TNumLab
    Left = 8
    Top = 8
    Width = 220
    Height = 28
    Value = 12.4987
    LeftText = 'U'
    RightText = 'V'
    DisplayType = dtFixP
    FrameStyle = fsLowered
  end
end
