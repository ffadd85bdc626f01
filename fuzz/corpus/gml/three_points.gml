<gml><tag><drawing><stroke><pt><x>0.1</x><y>0.2</y><t>0</t></pt><pt><x>0.5</x><y>0.5</y><t>0.5</t></pt><pt><x>0.9</x><y>0.1</y><t>1.0</t></pt></stroke></drawing></tag></gml>
